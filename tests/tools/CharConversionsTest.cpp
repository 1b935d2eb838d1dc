// Golden tables of the half-width/full-width switch and the pick lists, the case cycle,
// old typefaces and the pick-list choice.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/Cp932.h"
#include "tools/CharConversions.h"
#include "tools/PickLists.h"
#include "tools/WidthTables.h"

namespace varnel::tools {
namespace {

std::string Code(std::uint16_t c) {
    return {static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)};
}

// The pairs as published, in table order: marks, digits, marks, capitals, small letters.
std::vector<std::pair<char, std::uint16_t>> GoldenPairs() {
    const std::string marks = "!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~";
    const std::uint16_t fullMarks[] = {
        0x8149, 0x8168, 0x8194, 0x8190, 0x8193, 0x8195, 0x8166, 0x8169, 0x816A, 0x8196, 0x817B,
        0x8143, 0x817C, 0x8144, 0x815E, 0x8146, 0x8147, 0x8183, 0x8181, 0x8184, 0x8148, 0x8197,
        0x816D, 0x818F, 0x816E, 0x814F, 0x8151, 0x8165, 0x816F, 0x8162, 0x8170, 0x8150};
    std::vector<std::pair<char, std::uint16_t>> p;
    const auto run = [&](char first, int n, std::uint16_t full) {
        for (int i = 0; i < n; ++i)
            p.push_back({static_cast<char>(first + i), static_cast<std::uint16_t>(full + i)});
    };
    for (std::size_t i = 0; i < 15; ++i)
        p.push_back({marks[i], fullMarks[i]});
    run('0', 10, 0x824F);
    for (std::size_t i = 15; i < marks.size(); ++i)
        p.push_back({marks[i], fullMarks[i]});
    run('A', 26, 0x8260);
    run('a', 26, 0x8281);
    return p;
}

TEST(WidthTables, EveryEntryConvertsBothWays) {
    const auto golden = GoldenPairs();
    ASSERT_EQ(golden.size(), 94u);
    std::string allHalf, allFull;
    for (const auto& [half, full] : golden) {
        SCOPED_TRACE(std::string(1, half));
        EXPECT_EQ(SwitchWidth(std::string(1, half)), Code(full));
        EXPECT_EQ(SwitchWidth(Code(full)), std::string(1, half));
        allHalf += half;
        allFull += Code(full);
    }
    EXPECT_EQ(SwitchWidth(allHalf), allFull);
    EXPECT_EQ(SwitchWidth(allFull), allHalf);
    // Both tables keep one order: the same position pairs the same characters.
    for (std::size_t i = 0; i < golden.size(); ++i) {
        EXPECT_EQ(HalfWidthTable()[i], static_cast<unsigned char>(golden[i].first));
        EXPECT_EQ(FullWidthTable()[i], golden[i].second);
    }
}

TEST(WidthTables, DirectionAndUntouchedCharacters) {
    const std::string nihon = "\x93\xfa\x96\x7b";  // 日本
    const std::string so = "\x83\x5c";             // ソ: trail byte is "\"
    const std::string kaDaku = "\xb6\xde";         // ｶﾞ: half-width kana and voiced mark
    const std::string fa = "\x82\x81";             // ａ
    const struct {
        std::string in, out;
    } cases[] = {
        {"abc", "\x82\x81\x82\x82\x82\x83"},
        {nihon + "abc", nihon + "\x82\x81\x82\x82\x82\x83"},
        {fa + "bc", "abc"},  // the first table character decides: all goes half-width
        {"\x81\x66", "'"},
        {so + "a", so + fa},  // a trail byte is never taken for "\"
        {nihon, nihon},       // no table character: unchanged
        {"", ""},
        {kaDaku + "a" + kaDaku, kaDaku + fa + kaDaku},  // kana pass through unsplit
        {kaDaku + fa + kaDaku, kaDaku + "a" + kaDaku},
        {"a\r\nb", fa + "\r\n\x82\x82"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(text::Cp932ToUtf8(c.in));
        EXPECT_EQ(SwitchWidth(c.in), c.out);
    }
}

TEST(CaseCycle, CyclesThroughThreeStates) {
    EXPECT_EQ(CycleCase("hello. world"), "Hello. World");
    EXPECT_EQ(CycleCase("Hello. World"), "HELLO. WORLD");
    EXPECT_EQ(CycleCase("HELLO. WORLD"), "hello. world");
    EXPECT_EQ(CycleCase("a"), "A");
    // Only ASCII letters change; a trail byte in the letter range stays.
    const std::string kanjiWithTrailA = "\x88\x61";  // trail byte 'a'
    EXPECT_EQ(CycleCase(kanjiWithTrailA + "x"), kanjiWithTrailA + "X");
    EXPECT_EQ(SentenceCase("one.  two.three"), "One.  Two.three");
}

TEST(OldTypeface, ReplacesByTheFirstMatchingLine) {
    const std::string kyu = "\x8b\x8c", kyuOld = "\xe4\x70";  // 旧 舊
    const std::string tai = "\x91\xcc", taiOld = "\xe9\x93";  // 体 體
    const std::string hyou = "\x95\x5c";                      // 表: trail byte "\"
    const std::vector<std::string> table = {kyu + kyuOld,  kyuOld + "X", tai + taiOld,
                                            tai + "never", "z",          hyou};
    EXPECT_EQ(OldTypeface(kyu + "a" + kyu + tai, table), kyuOld + "a" + kyuOld + taiOld);
    EXPECT_EQ(OldTypeface(hyou + tai, table), taiOld);      // an empty replacement removes
    EXPECT_EQ(OldTypeface("\x82\xa0", table), "\x82\xa0");  // no line: stays
    EXPECT_EQ(OldTypeface("z" + kyu, table), "z" + kyuOld);
}

TEST(PickLists, GoldenContents) {
    std::string symbols;
    for (const std::string& e : SymbolPickList())
        symbols += text::Cp932ToUtf8(e) + "|";
    EXPECT_EQ(SymbolPickList().size(), 63u);
    EXPECT_EQ(symbols.substr(0, 9 * 7), "〔〕|［］|｛｝|〈〉|《》|『』|【】|‘’|“”|");
    EXPECT_EQ(text::Cp932ToUtf8(SymbolPickList()[9]), "〒");
    EXPECT_EQ(text::Cp932ToUtf8(SymbolPickList()[62]), "仝");
    std::string singles;
    for (std::size_t i = 9; i < SymbolPickList().size(); ++i)
        singles += text::Cp932ToUtf8(SymbolPickList()[i]);
    EXPECT_EQ(singles, "〒→←↑↓※☆○◎◇□△▽★●◆■▲▼〓♭♪♂♀℃￠￡\u212B‰±×÷≠≦≧∞∴≒≡§⇒⇔∠≪≫♯¶〃々ゝゞヽヾ仝");
    std::string greek;
    for (const std::string& e : GreekPickList())
        greek += text::Cp932ToUtf8(e);
    EXPECT_EQ(greek, "αβγδεζηθικλμνξοπρστυφχψωΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥΦΧΨΩ");
}

TEST(PickLists, PairEntries) {
    const std::vector<std::string> european = {"\xe9", "\xc0\xe0", "\xc9\xe9", "abc"};
    EXPECT_EQ(PickedText(european, 1, false, true), "\xc0");
    EXPECT_EQ(PickedText(european, 1, true, true), "\xe0");
    EXPECT_EQ(PickedText(european, 3, true, true), "abc");  // not a pair
    EXPECT_EQ(PickedText(european, 9, false, true), "");
    // The symbol list starts with a pair, so its pairs go in whole.
    EXPECT_EQ(PickedText(SymbolPickList(), 0, true, false), SymbolPickList()[0]);
}

}  // namespace
}  // namespace varnel::tools
