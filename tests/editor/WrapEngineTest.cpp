// Wrapping: where lines are cut, what is never split, tab expansion, and whole-store
// wrap and unwrap.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/WrapEngine.h"
#include "fakes/EditorFakes.h"

namespace varnel::editor {
namespace {

using namespace std::string_literals;

std::vector<std::string> Cut(const WrapEngine& w, const std::string& text,
                             const std::string& terminator = "\r\n") {
    std::vector<std::string> out;
    w.CutParagraph(text, terminator, out);
    return out;
}

const std::string kA = "\x82\xA0";  // a double-byte character (hiragana a)

std::string Repeat(const std::string& s, int n) {
    std::string out;
    while (n-- > 0)
        out += s;
    return out;
}

TEST(WrapEngine, CutsAtTheColumnAndKeepsCharactersWhole) {
    fakes::CellTextMetrics m;
    WrapEngine w(m);
    w.settings.column = 40;
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> lines;
    };
    const std::string x40(40, 'x');
    const std::vector<Case> cases = {
        {"100 bytes", std::string(100, 'x'), {x40, x40, std::string(20, 'x') + "\r\n"}},
        {"exactly the column", x40, {x40 + "\r\n"}},
        {"one byte over", x40 + "y", {x40, "y\r\n"}},
        // 39 single bytes then a double-byte character straddling the column.
        {"straddling", std::string(39, 'x') + kA + "z", {std::string(39, 'x'), kA + "z\r\n"}},
        {"double-byte run", Repeat(kA, 25), {Repeat(kA, 20), Repeat(kA, 5) + "\r\n"}},
        // A lone lead byte is one byte wide and pairs with nothing.
        {"lone lead at the column",
         std::string(39, 'x') + "\x82" + "\r" + "ab",
         {std::string(39, 'x') + "\x82", "\rab\r\n"}},
        // Never cut right after a CR, LF or NUL: a soft piece ending so would read as a
        // line end.
        {"lf at the column", std::string(39, 'x') + "\nab", {std::string(39, 'x'), "\nab\r\n"}},
        {"nul at the column", std::string(39, 'x') + "\0ab"s, {std::string(39, 'x'), "\0ab\r\n"s}},
        {"empty", "", {"\r\n"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Cut(w, c.text), c.lines);
    }
}

TEST(WrapEngine, TabsExpandToStopsAndCountInTheWidth) {
    fakes::CellTextMetrics m;
    WrapEngine w(m);
    w.settings.tabCount = 4;
    EXPECT_EQ(w.ExpandTabs("ab\tc"), "ab  c");  // a tab at byte 3: two blanks
    EXPECT_EQ(w.ExpandTabs("\t"), "    ");
    EXPECT_EQ(w.ExpandTabs(kA + "\tz"), kA + "  z");  // a double-byte character is two cells
    EXPECT_EQ(w.ExpandTabs("abcd\t"), "abcd    ");

    w.settings.column = 10;
    w.settings.tabCount = 8;
    // "a" TAB expands to 8 cells, so "a\tbc" is 10 cells and fits; one more byte does not.
    EXPECT_EQ(Cut(w, "a\tbc"), (std::vector<std::string>{"a\tbc\r\n"}));
    EXPECT_EQ(Cut(w, "a\tbcd"), (std::vector<std::string>{"a\tbc", "d\r\n"}));
}

TEST(WrapEngine, WidthRules) {
    fakes::CellTextMetrics m;
    WrapEngine w(m);
    w.settings.column = 5;  // below ten cells counts as ten
    EXPECT_EQ(w.WrapWidth(), 80);
    w.settings.column = 72;
    w.settings.autoWrap = true;
    w.settings.textAreaWidth = 200;  // 25 cells
    EXPECT_EQ(w.WrapWidth(), 200);
    w.settings.textAreaWidth = 40;  // narrower than ten cells: still ten
    EXPECT_EQ(w.WrapWidth(), 80);
    EXPECT_EQ(Cut(w, std::string(15, 'x')).size(), 2u);
}

TEST(WrapEngine, SingleByteModeSplitsAnywhere) {
    fakes::CellTextMetrics m;
    WrapEngine w(m);
    w.settings.column = 10;
    w.settings.singleByte = true;
    // The metric still draws the pair as one wide character, so fewer bytes fit, but the
    // cut may fall between its bytes.
    const std::string text = std::string(9, 'x') + kA + "y";
    const auto lines = Cut(w, text);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0] + lines[1], text + "\r\n");
}

TEST(WrapEngine, WholeStoreWrapAndUnwrap) {
    fakes::CellTextMetrics m;
    WrapEngine w(m);
    w.settings.column = 10;
    TSonStrings s;
    s.SetTextStr("short\r\n" + std::string(25, 'a') + "\r\n\r\nend" + std::string(10, 'b'));
    const auto wrapped = w.WrapAll(s);
    const std::vector<std::string> want = {"short\r\n",
                                           std::string(10, 'a'),
                                           std::string(10, 'a'),
                                           std::string(5, 'a') + "\r\n",
                                           "\r\n",
                                           "endbbbbbbb",
                                           "bbb\0"s};
    EXPECT_EQ(wrapped, want);
    TSonStrings t;
    t.Assign(wrapped);
    // Wrapping a wrapped store changes nothing; unwrapping gives the original lines.
    EXPECT_EQ(w.WrapAll(t), want);
    const auto unwrapped = w.UnwrapAll(t);
    ASSERT_EQ(static_cast<int>(unwrapped.size()), s.Count());
    for (int i = 0; i < s.Count(); ++i)
        EXPECT_EQ(unwrapped[static_cast<std::size_t>(i)], s[i]);
}

TEST(WrapEngine, LongParagraphsWrapInLinearTime) {
    // A 4 MB paragraph: measuring the whole rest of it for every piece would take hours.
    fakes::CellTextMetrics m;
    WrapEngine w(m);
    w.settings.column = 72;
    std::string text(4 << 20, 'q');
    std::vector<std::string> out;
    w.CutParagraph(text, "\r\n", out);
    EXPECT_EQ(out.size(), (text.size() + 71) / 72);
    // And a paragraph of nothing but line feeds has no allowed cut: it stays whole.
    out.clear();
    w.CutParagraph(std::string(500, '\n'), "\r\n", out);
    EXPECT_EQ(out.size(), 1u);
}

}  // namespace
}  // namespace varnel::editor
