// Quote, unquote, Q-encode and the reformat: table-driven cases and golden files of
// real paragraph shapes (tests/data/reformat, UTF-8 for reading; the code sees CP932).
// VARNEL_UPDATE_GOLDEN=1 rewrites the .out files from the current output.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "mail/MailTestFiles.h"
#include "mail/QuoteLines.h"
#include "mail/Reformat.h"
#include "text/Cp932.h"
#include "text/Sjis.h"

namespace varnel::mail {
namespace {

using test::ReadAll;
using test::SplitLines;
using text::Cp932ToUtf8;
using text::Utf8ToCp932;
using Lines = std::vector<std::string>;

Lines Sjis(std::initializer_list<const char*> utf8) {
    Lines out;
    for (const char* l : utf8)
        out.push_back(Utf8ToCp932(l));
    return out;
}

std::string Utf8(const Lines& lines) {
    std::string s;
    for (const auto& l : lines)
        s += Cp932ToUtf8(l) + "\n";
    return s;
}

TEST(QuoteLines, MarksAndShortForms) {
    struct Case {
        const char* mark;
        Lines in, out;
    } cases[] = {
        {"> ", {"text", "> quoted", ""}, {"> text", ">> quoted", "> "}},
        {"| ", {"|x", "y"}, {"||x", "| y"}},
        {"# ", {"#", "a"}, {"##", "# a"}},
        {">>", {">a"}, {">>>a"}},  // a mark without its blank has no short form
    };
    for (auto& c : cases) {
        Lines l = c.in;
        QuoteLines(l, c.mark);
        EXPECT_EQ(l, c.out) << c.mark;
    }
    // The trail byte 0x7C of a double-byte character is not "|".
    Lines l{"\x83\x7c"};
    QuoteLines(l, "| ");
    EXPECT_EQ(l, Lines{"| \x83\x7c"});
}

TEST(QuoteLines, PrefixAndUnquote) {
    const std::string qc = ">|:# -=";
    EXPECT_EQ(QuotePrefix(">> > text", qc), ">> > ");
    EXPECT_EQ(QuotePrefix(Utf8ToCp932("＞＞　本文"), qc), Utf8ToCp932("＞＞　"));
    EXPECT_EQ(QuotePrefix("\x83\x3e", qc), "");  // a trail byte 0x3E is not ">"
    Lines l{">> a", ">>b", "> c", "d"};
    UnquoteLines(l, qc);
    EXPECT_EQ(l, (Lines{"a", "b", "> c", "d"}));
}

TEST(QuoteLines, QEncode) {
    Lines l{"a=b", "\x82\xa0", ""};
    QEncodeLines(l);
    EXPECT_EQ(l, (Lines{"a=3Db", "=82=A0", ""}));
}

ReformatOptions Options(int maxLength = 64) {
    ReformatOptions o = DefaultReformatOptions();
    o.MaxLength = maxLength;
    return o;
}

TEST(Reformat, JoinsCutsAndKeepsApart) {
    struct Case {
        const char* name;
        std::size_t first;
        int maxLength;
        Lines in, out;
    } cases[] = {
        {"short English lines join in a selection",
         0,
         30,
         {"one two", "three four", "five"},
         {"one two three four five"}},
        {"but not below a header", 1, 30, {"h", "one two", "three"}, {"h", "one two", "three"}},
        {"a sentence end is never joined", 0, 64, {"end.", "next"}, {"end.", "next"}},
        {"a word is not cut",
         0,
         20,
         {"alpha beta gamma delta epsilon"},
         {"alpha beta gamma", "delta epsilon"}},
        {"quote prefixes differ", 0, 64, {"> a", ">> b"}, {"> a", ">> b"}},
        {"stage 1 joins a 74-column line with a short one",
         1,
         80,
         {"h", "> " + std::string(72, 'x'), "> yy"},
         {"h", "> " + std::string(72, 'x') + " yy"}},
        {"empty lines and markers stay",
         1,
         10,
         {"h", "", ".- marker line longer than ten", "..x", ""},
         {"h", "", ".- marker line longer than ten", "..x", ""}},
    };
    for (auto& c : cases) {
        Lines l = c.in;
        ReformatLines(l, c.first, Options(c.maxLength));
        EXPECT_EQ(l, c.out) << c.name;
    }
}

TEST(Reformat, KinsokuAtLineEndAndStart) {
    // L = 10: "あいうえお" fills the line; "、" may not begin the next one.
    Lines l = Sjis({"あいうえお、かきくけこ"});
    ReformatLines(l, 0, Options(10));
    EXPECT_EQ(Utf8(l), "あいうえお、\nかきくけこ\n");
    // "「" may not end a line: it goes down with the word it opens.
    l = Sjis({"あいうえ「かきくけこ」"});
    ReformatLines(l, 0, Options(10));
    EXPECT_EQ(Utf8(l), "あいうえ\n「かきくけ\nこ」\n");
}

TEST(Reformat, MaxLengthNotAboveThePrefixStillEnds) {
    // A prefix as long as the line length used to leave no room and loop for ever.
    for (int L : {1, 2, 4, 6}) {
        Lines l{">>>>>> abcdef ghijkl", ">>>>>> mn"};
        ReformatLines(l, 0, Options(L));
        ASSERT_FALSE(l.empty());
        for (const auto& piece : l)
            EXPECT_TRUE(piece.starts_with(">>>>>>")) << L << " " << piece;
        std::string joined;
        for (const auto& piece : l)
            joined += piece.substr(6);
        EXPECT_EQ(text::RemoveChar(joined, ' '), "abcdefghijklmn") << L;
    }
}

TEST(Reformat, LongPrefixIsCutAtACharacterBoundary) {
    // Eight "＞" are 16 bytes whose last byte (0x84) lies in the lead-byte range; the cut
    // to 16 bytes must keep the eighth whole instead of splitting it.
    const std::string p = Utf8ToCp932("＞＞＞＞＞＞＞＞＞");
    Lines l{p + Utf8ToCp932("本文"), p + Utf8ToCp932("続き")};
    ReformatLines(l, 0, Options(64));
    for (const auto& line : l) {
        for (std::size_t i = 0; i < line.size(); i += text::CharLengthAt(line, i))
            ASSERT_TRUE(i + 1 == line.size() || text::CharLengthAt(line, i) == 2 ||
                        static_cast<unsigned char>(line[i]) < 0x80)
                << Cp932ToUtf8(line);
        EXPECT_EQ(Cp932ToUtf8(line).find("\xEF\xBF\xBD"), std::string::npos) << Cp932ToUtf8(line);
    }
}

// Random paragraphs of words, Japanese text, kinsoku characters, quote prefixes, lists
// and links, at random line lengths: the reformat ends, splits no character, and keeps
// every character other than blanks, TABs and quote marks, in order.
TEST(Reformat, RandomParagraphsKeepTheirText) {
    const std::vector<std::string> pieces = {"word",
                                             "longerword",
                                             " ",
                                             " ",
                                             "\t",
                                             "http://example.jp/a/b/c/d/e/f",
                                             ".",
                                             "1. ",
                                             "- ",
                                             Utf8ToCp932("日本語"),
                                             Utf8ToCp932("、"),
                                             Utf8ToCp932("。"),
                                             Utf8ToCp932("「"),
                                             Utf8ToCp932("」"),
                                             Utf8ToCp932("①"),
                                             Utf8ToCp932("　"),
                                             Utf8ToCp932("ソ"),
                                             std::string(70, 'x')};
    const std::vector<std::string> prefixes = {"",      "", "> ", ">> ", "| ", Utf8ToCp932("＞"),
                                               "      "};
    const std::string marks = " \t>|:#-=";
    auto kept = [&](const Lines& lines, std::size_t first) {
        std::string k;
        for (std::size_t n = first; n < lines.size(); ++n) {
            const std::string& l = lines[n];
            for (std::size_t i = 0; i < l.size(); i += text::CharLengthAt(l, i)) {
                const std::string c = l.substr(i, text::CharLengthAt(l, i));
                if (marks.find(c) == std::string::npos && c != "\x81\x84" && c != "\x81\x40" &&
                    c != "\x81\x94")
                    k += c;
            }
        }
        return k;
    };
    unsigned seed = 12345;
    auto next = [&](unsigned n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % n;
    };
    for (int round = 0; round < 2000; ++round) {
        Lines in{"Subject: x", ""};
        const unsigned count = 1 + next(8);
        for (unsigned l = 0; l < count; ++l) {
            std::string line = prefixes[next(static_cast<unsigned>(prefixes.size()))];
            const unsigned words = next(12);
            for (unsigned w = 0; w < words; ++w)
                line += pieces[next(static_cast<unsigned>(pieces.size()))];
            in.push_back(line);
        }
        const std::size_t first = next(2) ? 2 : 0;
        Lines out = in;
        ReformatLines(out, first, Options(static_cast<int>(1 + next(80))));
        ASSERT_EQ(kept(out, first), kept(in, first)) << round;
        for (const auto& l : out)
            ASSERT_EQ(Utf8ToCp932(Cp932ToUtf8(l)), l) << round;
    }
}

// Golden files.
TEST(Reformat, GoldenParagraphShapes) {
    const std::filesystem::path dir = VARNEL_TEST_DATA "/reformat";
    const bool update = std::getenv("VARNEL_UPDATE_GOLDEN") != nullptr;
    int seen = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir)) {
        if (e.path().extension() != ".in")
            continue;
        ++seen;
        Lines lines = SplitLines(Utf8ToCp932(ReadAll(e.path())));
        if (!lines.empty() && lines.back().empty())
            lines.pop_back();
        std::size_t first = 0;
        while (first < lines.size() && !lines[first].empty())
            ++first;
        ReformatLines(lines, first + 1, Options(64));
        auto out = e.path();
        out.replace_extension(".out");
        if (update)
            std::ofstream(out, std::ios::binary) << Utf8(lines);
        EXPECT_EQ(Utf8(lines), ReadAll(out)) << e.path();
        for (const auto& l : lines)
            EXPECT_EQ(Utf8ToCp932(Cp932ToUtf8(l)), l) << "a character was split";
    }
    EXPECT_GE(seen, 6);
}

}  // namespace
}  // namespace varnel::mail
