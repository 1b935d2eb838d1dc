#include <gtest/gtest.h>

#include "text/Cp932.h"
#include "text/Sjis.h"

using namespace varnel::text;

namespace {
// "ソ" is 83 5C, "表" is 95 5C, "十" is 8F 5C: their trail byte is "\".
const std::string kSo = "\x83\x5c";
const std::string kHyo = "\x95\x5c";
}  // namespace

TEST(Sjis, DoubleByteNeedsValidTrail) {
    struct Case {
        std::string s;
        std::size_t pos;
        bool dbcs;
    } cases[] = {
        {kSo, 0, true},
        {"\x83\r\n", 0, false},  // lone lead byte before CR
        {std::string("\x83\0", 2), 0, false},
        {"\x83", 0, false},      // at the end
        {"\x83\x7f", 0, false},  // 0x7F is no trail byte
        {"\xe0\xfc", 0, true},
        {"\xa0\x40", 0, false},  // 0xA0 is no lead byte
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsDoubleByteAt(c.s, c.pos), c.dbcs) << c.s;
}

// Each edge of the byte classes, from both sides, and the characters that stand on
// them: ム (83 80), 麾 (9F 80), 檗 (9F 40, its trail byte is "@"), 毯 (9F 7E), 漾 (E0 40).
TEST(Sjis, ByteClassBoundaries) {
    const struct {
        unsigned char byte;
        bool lead, trail;
    } table[] = {
        {0x3F, false, false}, {0x40, false, true}, {0x7E, false, true}, {0x7F, false, false},
        {0x80, false, true},  {0x81, true, true},  {0x9F, true, true},  {0xA0, false, true},
        {0xDF, false, true},  {0xE0, true, true},  {0xFC, true, true},  {0xFD, false, false},
    };
    for (const auto& t : table) {
        EXPECT_EQ(IsLeadByte(t.byte), t.lead) << std::hex << int(t.byte);
        EXPECT_EQ(IsTrailByte(t.byte), t.trail) << std::hex << int(t.byte);
    }
    for (const std::string ch : {"\x83\x80", "\x9f\x80", "\x9f\x40", "\x9f\x7e", "\xe0\x40"}) {
        const std::string s = "a" + ch + "@";
        EXPECT_EQ(CharLengthAt(s, 1), 2u) << std::hex << int(static_cast<unsigned char>(ch[0]));
        EXPECT_TRUE(IsTrailPosition(s, 2));
        EXPECT_EQ(PrevCharPos(s, 3), 1u);
        EXPECT_EQ(Find(s, "@"), 3u);  // never the trail byte of 檗
        EXPECT_EQ(Find(s, ch.substr(1)), ch[1] == '@' ? 3u : npos);
    }
}

TEST(Sjis, TrailPositionAndSnapping) {
    // a ソ ソ b : bytes 0:a 1,2:ソ 3,4:ソ 5:b
    const std::string s = "a" + kSo + kSo + "b";
    const bool trail[] = {false, false, true, false, true, false};
    for (std::size_t i = 0; i < s.size(); ++i)
        EXPECT_EQ(IsTrailPosition(s, i), trail[i]) << i;
    EXPECT_EQ(SnapToCharStart(s, 2), 1u);
    EXPECT_EQ(SnapToCharStart(s, 4), 3u);
    EXPECT_EQ(SnapToCharStart(s, 99), s.size());
    EXPECT_EQ(PrevCharPos(s, 5), 3u);
    EXPECT_EQ(PrevCharPos(s, 3), 1u);
    EXPECT_EQ(NextCharPos(s, 1), 3u);
    // A run of lead-range bytes: 81 81 81 41 -> (81 81)(81 41)
    const std::string run = "\x81\x81\x81\x41";
    EXPECT_FALSE(IsTrailPosition(run, 2));
    EXPECT_TRUE(IsTrailPosition(run, 3));
}

TEST(Sjis, SearchesNeverMatchTrailBytes) {
    const std::string s = kSo + "\\" + kHyo + "x";
    EXPECT_EQ(FindChar(s, '\\'), 2u);
    EXPECT_EQ(Find(s, "\\"), 2u);
    EXPECT_EQ(FindLast(s, "\\"), 2u);
    EXPECT_EQ(FindFirstOf(s, "\\x"), 2u);
    EXPECT_EQ(RemoveChar(s, '\\'), kSo + kHyo + "x");
    EXPECT_EQ(Find(kSo, "\\"), npos);
    // "b" (0x62) is the trail byte of ｜ (81 62): never found inside it.
    EXPECT_EQ(Find("\x81\x62", "b"), npos);
    EXPECT_EQ(Find("abc", ""), npos);
}

TEST(Sjis, CaseChangesSkipTrailBytes) {
    // 82 60 is "Ａ"; 83 41 is "ア" whose trail byte is 'A'.
    const std::string s = "AbC\x83\x41Z";
    EXPECT_EQ(ToLowerAscii(s), "abc\x83\x41z");
    EXPECT_EQ(ToUpperAscii(s), "ABC\x83\x41Z");
    EXPECT_EQ(FindNoCase("To: X", "to:"), 0u);
    EXPECT_TRUE(StartsWithNoCase("DATE: x", "date:"));
    EXPECT_FALSE(StartsWithNoCase("Da", "date:"));
    EXPECT_FALSE(StartsWithNoCase("\x83\x41:", "\x83\x61:"));  // a trail 'A' is no letter
    EXPECT_TRUE(StartsWithNoCase("\x83\x41X-", "\x83\x41x"));
}

TEST(Sjis, CompareNoCaseFoldsOnlySingleBytes) {
    EXPECT_EQ(CompareNoCase("Apple", "aPPLE"), 0);
    EXPECT_LT(CompareNoCase("apple", "Banana"), 0);
    EXPECT_GT(CompareNoCase("b", "A"), 0);
    EXPECT_LT(CompareNoCase("ab", "abc"), 0);
    // 0x82 0x41 is one character; its trail byte is not lowered to 0x61.
    EXPECT_NE(CompareNoCase("\x82\x41", "\x82\x61"), 0);
    EXPECT_EQ(CompareNoCase("\x82\x41X", "\x82\x41x"), 0);
    // A lone lead byte before an ASCII letter: the letter is a character and folds.
    EXPECT_EQ(CompareNoCase("\x82!A", "\x82!a"), 0);
}

TEST(Sjis, WordClasses) {
    const struct {
        unsigned code;
        int cls;
    } cases[] = {{0x20, 7},   {'0', 6},    {'A', 6},    {':', 7},    {'~', 6},    {0xB1, 5},
                 {0xA1, 2},   {0xE0, 7},   {0x8140, 4}, {0x8260, 3}, {0x82A0, 0}, {0x8341, 1},
                 {0x8397, 4}, {0x889F, 2}, {0x9F40, 2}, {0x100, 2}};
    for (const auto& c : cases)
        EXPECT_EQ(WordClassOfCode(c.code), c.cls) << std::hex << c.code;
}

TEST(Sjis, ReplaceAllResumesAfterInsertion) {
    EXPECT_EQ(ReplaceAll("aXa", "a", "aa"), "aaXaa");
    EXPECT_EQ(ReplaceAll(kSo + "\\", "\\", "/"), kSo + "/");
    EXPECT_EQ(ReplaceAll("abc", "", "z"), "abc");
    EXPECT_EQ(TrimBlanks(" \t x y\t "), "x y");
    EXPECT_EQ(CharCount("a" + kSo + "b"), 3u);
}

TEST(Cp932, ConvertsAtTheEdges) {
    EXPECT_EQ(Cp932ToUtf8("\x82\xa0\x83\x5c"), "あソ");
    EXPECT_EQ(Cp932ToUtf8("\x87\x40"), "①");  // NEC row 13
    EXPECT_EQ(Cp932ToUtf8("a\x83\r"), "a\xEF\xBF\xBD\r");
    EXPECT_EQ(Utf8ToCp932("あソ"), "\x82\xa0\x83\x5c");
    EXPECT_EQ(Utf8ToCp932("x\xF0\x9F\x98\x80y"), "x\x81\xacy");  // emoji: no CP932 code
    EXPECT_EQ(Utf8ToCp932("\xff"), "\x81\xac");
}

namespace {
// Each way of writing control bytes, through the table and through iconv call by call.
void ExpectTableMatchesIconv(std::string_view s) {
    const Controls ways[] = {Controls::kKeep, Controls::kCaret, Controls::kCaretButLf};
    for (const Controls way : ways) {
        std::string table = "<";  // appending keeps what is there
        AppendCp932AsUtf8(s, table, way);
        std::string utf8;
        AppendCp932AsUtf8ByIconv(s, utf8);
        std::string want = "<";
        if (way == Controls::kKeep)
            want += utf8;
        else
            AppendCaretEscaped(utf8, want, way == Controls::kCaretButLf);
        ASSERT_EQ(table, want) << ::testing::PrintToString(std::string(s)) << static_cast<int>(way);
    }
}
}  // namespace

// The table path gives what iconv gives, U+FFFD substitutes included: every string of
// one or two bytes, then random runs of boundary bytes (leads cut off at the end, bad
// trails, bytes iconv rejects, control bytes) where each substitute's length moves what
// follows.
TEST(Cp932, TableMatchesIconv) {
    for (int a = 0; a < 256; ++a) {
        const std::string one(1, static_cast<char>(a));
        ExpectTableMatchesIconv(one);
        for (int b = 0; b < 256; ++b)
            ExpectTableMatchesIconv(one + static_cast<char>(b));
    }
    const unsigned char edges[] = {0x00, 0x0A, 0x0D, 0x1B, 0x3F, 0x40, 0x5C, 0x7E, 0x7F,
                                   0x80, 0x81, 0x82, 0x9F, 0xA0, 0xA1, 0xDF, 0xE0, 0xEA,
                                   0xEB, 0xF0, 0xFA, 0xFC, 0xFD, 0xFF, 'a',  ' ',  '\t'};
    std::uint32_t seed = 17;
    const auto next = [&] { return seed = seed * 1103515245u + 12345u, seed >> 16; };
    for (int round = 0; round < 3000; ++round) {
        std::string s(next() % 40, '\0');
        for (char& c : s)
            c = static_cast<char>(next() % 3 == 0 ? next() % 256
                                                  : edges[next() % std::size(edges)]);
        ExpectTableMatchesIconv(s);
    }
}
