// Paragraph colours and link spans: quotes by whole characters, header names, links
// that never start or stop inside a double-byte character.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "editor/ColourRules.h"

namespace varnel::editor {
namespace {

PaintProperties MainLook() {
    PaintProperties look;
    look.ApplyMainWindowDefaults();
    return look;
}

TEST(ColourRules, ParagraphColours) {
    PaintProperties look = MainLook();
    look.QuotMarkStr = ">|\x81\x84\x81\x62";  // ">|＞｜"
    struct Case {
        const char* text;
        TColor want;
    } cases[] = {
        {"> quoted", colours::clGray},
        {">> second level", colours::clGray},
        {"> Subject: quoted header", colours::clGray},
        {"| bar quote", colours::clGray},
        {"\x81\x84\x88\xf8\x97\x70", colours::clGray},  // ＞引用
        {"\x81\x62 bar", colours::clGray},              // ｜
        // 0x62 is "b": the trail byte of ｜ must not make every "b" line a quote.
        {"bread and butter", colours::clBlack},
        // 0x84 alone after another lead byte is no quote mark either.
        {"\x83\x84 text", colours::clBlack},
        {"Subject: hello", colours::clGreen},
        {"Subject:x", colours::clGreen},
        {"subject: lower case", colours::clBlack},
        {"Date: Mon, 1 Jan 2024", colours::clOlive},
        {"From: someone", colours::clRed},
        {"..--- marker", colours::clTeal},
        {"", colours::clBlack},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParagraphColour(c.text, look), c.want) << c.text;

    look.ColorPrintF = false;
    EXPECT_EQ(ParagraphColour("> quoted", look), colours::clBlack);
    EXPECT_EQ(ParagraphColour("Subject: x", look), colours::clBlack);
}

TEST(ColourRules, SingleByteModeComparesBytes) {
    PaintProperties look;
    look.QuotMarkStr = "\xbb>";  // a Western guillemet and ">"
    EXPECT_TRUE(StartsWithQuoteMark("\xbb text", look.QuotMarkStr, true));
    EXPECT_TRUE(StartsWithQuoteMark("> text", look.QuotMarkStr, true));
    EXPECT_FALSE(StartsWithQuoteMark("text", look.QuotMarkStr, true));
}

struct Span {
    std::string text;
    bool underline;
    bool operator==(const Span&) const = default;
};

std::vector<Span> Links(std::string_view s, const PaintProperties& look = PaintProperties()) {
    std::vector<Span> out;
    for (const LinkSpan& l : FindLinks(s, look))
        out.push_back({std::string(s.substr(l.begin, l.end - l.begin)), l.underline});
    return out;
}

TEST(ColourRules, LinksRunToTheirStopCharacter) {
    struct Case {
        const char* text;
        std::vector<Span> want;
    } cases[] = {
        {"see http://example.com/x and more", {{"http://example.com/x", true}}},
        {"https://a.jp/?q=1>", {{"https://a.jp/?q=1", true}}},
        {"<mailto:a@b.example>", {{"mailto:a@b.example", true}}},
        {"ftp://x.org/pub\tnext", {{"ftp://x.org/pub", true}}},
        {"file:///tmp/x|y", {{"file:///tmp/x", true}}},
        {"\\\\server\\share here", {{"\\\\server\\share", true}}},
        {"two http://a.jp http://b.jp", {{"http://a.jp", true}, {"http://b.jp", true}}},
        // A stop byte inside the first five bytes does not end the link.
        {"\\\\a b c", {{"\\\\a b", true}}},
        // The trail byte 0x7C of ポ is no "|": the link runs through the katakana.
        {"http://x.jp/\x83\x7c\x81\x5b\x83\x67 end",
         {{"http://x.jp/\x83\x7c\x81\x5b\x83\x67", true}}},
        // The trail byte 0x5C of ソ or 表 never starts a "\\" link.
        {"\x83\x5c\\abc", {}},
        {"\x95\x5c\\x", {}},
        {"\x83\x5c\\\\srv\\x", {{"\\\\srv\\x", true}}},
        {"tag:example.com,2024:x", {{"tag:example.com", true}}},
        {"tag:nodot", {}},
        {"plain text only", {}},
        {"HTTP://upper.case", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Links(c.text), c.want) << c.text;
}

TEST(ColourRules, AttachmentNamesAndHtmlTags) {
    EXPECT_EQ(Links(".------ attached \"\x8e\x91\x97\xbf.pdf\" (1,234 bytes)"),
              (std::vector<Span>{{"\x8e\x91\x97\xbf.pdf", true}}));
    EXPECT_EQ(Links("<b>bold</b>"), (std::vector<Span>{}));
    PaintProperties look;
    look.ShowHTMLTagColor = true;
    EXPECT_EQ(
        Links("<b>bold</b> <a href=\"http://x.jp\">", look),
        (std::vector<Span>{{"<b>", false}, {"</b>", false}, {"<a href=\"http://x.jp\">", false}}));
    PaintProperties off;
    off.ColorPrintF = false;
    EXPECT_TRUE(Links("http://example.com", off).empty());
}

// Links that reach past pos, cut there, as the plan colours a page starting at pos.
std::vector<LinkSpan> Tail(std::vector<LinkSpan> spans, std::size_t pos) {
    std::erase_if(spans, [&](const LinkSpan& l) { return l.end <= pos; });
    for (LinkSpan& l : spans)
        l.begin = std::max(l.begin, pos);
    return spans;
}

// A scan from the scan start of every position finds what the whole scan finds there.
// Returns the farthest start back from a position past the first 100 bytes.
std::size_t ExpectExactScanStarts(std::string_view s, bool html, bool sb) {
    PaintProperties look;
    look.ShowHTMLTagColor = html;
    const std::vector<LinkSpan> whole = FindLinks(s, look, sb);
    std::size_t far = 0;
    for (std::size_t pos = 0; pos <= s.size(); ++pos) {
        const std::size_t from = LinkScanStart(s, pos, look, sb);
        EXPECT_LE(from, pos);
        far = std::max(far, pos >= 100 ? pos - from : 0);
        EXPECT_EQ(Tail(FindLinks(s, look, sb, from), pos), Tail(whole, pos))
            << "at " << pos << " from " << from << " of " << s;
    }
    return far;
}

TEST(ColourRules, ScanFromTheScanStartFindsTheLinksOfTheWholeScan) {
    std::string unit = "\x93\xfa\x96\x7b\x8c\xea abc http://x.jp/ ", repeated, hidden;
    for (int i = 0; i < 40; ++i) {
        repeated += unit;
        hidden += "\x83tag:1 ";  // "tag:" behind the lead byte of ト: no tag
    }
    const std::string cases[] = {
        "see http://example.com/very/long/path/that/runs/on and more text here",
        "\\\\a b c d \\\\srv\\share x \\\\ y",
        "ab tag:a.b c tag:x tag:a.b c d tag:nodot e f tag:a.b/c d",
        "<b>bold</b> <a href=\"http://x.jp\"> text < unclosed http://y.jp end",
        "mailto:tanaka@example.jp \x83\x80\x83\x80 mailto:a@b.jp\x81\x42 <x@y.jp>",
        ".------ attached \"\x8e\x91 a.pdf\" http://x.jp \"more\"",
        "\x83\x74\x83\x74"
        "ag:a.b \x83http://x.jp \x9f\x5c\\\\s \x83\x68ttp://y.jp",
        std::string(60, '\x83') + " http://x.jp " + std::string(9, '\x83') + "t",
        "http://" + std::string(500, 'a') + " b",
        hidden + "a.b/c",
        repeated,
    };
    for (const std::string& s : cases) {
        for (const int mode : {0, 1, 2, 3}) {  // HTML tags coloured or not, single-byte or not
            const std::size_t far = ExpectExactScanStarts(s, mode & 1, mode & 2);
            if (&s == &cases[std::size(cases) - 1]) {
                EXPECT_LE(far, unit.size());  // a page of a long paragraph scans little
            }
        }
    }
    // Random texts of link words, stops and CP932 characters whose trail bytes look
    // like "t", "h", "|", "\" or "[" (ト ド ポ 表 ー), ム (83 80), 0x9F-lead kanji, a lone lead.
    // clang-format off
    const char* pieces[] = {"http://", "https://x.jp/", "mailto:a@b.jp", "ftp:/", "file:", "\\\\",
        "tag:", "<", ">", ".", " ", "\t", "/", ":", "\"", "a", "|", "\x83\x80", "\x9f\x5c",
        "\x9f\x74", "\x95\x5c", "\x83\x74", "\x83\x68", "\x83\x7c", "\x81\x5b", "\x83", "\xb1"};
    // clang-format on
    std::mt19937 random(17);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
    for (int n = 0; n < 300; ++n) {
        std::string s;
        for (int k = 0; k < 24; ++k)
            s += pieces[pick(random)];
        ExpectExactScanStarts(s, n % 3 != 0, n % 5 == 0);
    }
}

}  // namespace
}  // namespace varnel::editor
