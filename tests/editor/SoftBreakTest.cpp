// The editor where a soft line break or the view meets the text: searches across soft
// breaks, empty selections across them, scrolling with a selection and the horizontal
// offset after a resize.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/SonEdit2.h"
#include "fakes/EditorFakes.h"
#include "fakes/Fakes.h"

namespace varnel::editor {
namespace {

struct Editor {
    fakes::CellTextMetrics metrics;
    fakes::MemoryClipboard clipboard;
    fakes::ScriptedPrompter prompter;
    TSonEdit2 e{metrics, clipboard, prompter};
    std::vector<DisplayPos> hits;

    // Wrapped at column 10 (80 px of text).
    explicit Editor(std::string_view text) {
        e.SetClientSize(800, 16 * 18 + 4);
        e.SetWrap(true, false);
        e.SetColumn(10);
        e.SetText(text);
        e.OnFind = [](const std::string& str, const std::string& what, int, int& x, int& len) {
            const auto p = str.find(what);
            x = p == std::string::npos ? 0 : static_cast<int>(p) + 1;
            len = static_cast<int>(what.size());
        };
        e.OnFindHit = [this](const std::string&, int x, int y, int, int) {
            hits.push_back({y, x});
        };
    }
};

// "XY" and 表示 (95 5C 8E A6) each cut by the wrap at column 10.
TEST(SoftBreak, FindReplaceAndFindPrevSeeAcrossTheWrap) {
    struct Case {
        std::string text, find;
        DisplayPos at;
    } cases[] = {
        {"abcdefghiXYzzz\r\nXY", "XY", {0, 9}},
        {"abcdefgh\x95\x5c\x8e\xa6zz\r\nend", "\x95\x5c\x8e\xa6", {0, 8}},
    };
    for (const Case& c : cases) {
        Editor f(c.text);
        ASSERT_EQ(f.e.Lines().Get(1).substr(0, 1), c.find.substr(c.find.size() / 2, 1))
            << "the wrap cuts the match";
        f.e.FindStart(c.find);
        ASSERT_TRUE(f.e.FindNext());
        EXPECT_EQ(f.hits.back(), c.at);
        EXPECT_EQ(f.e.GetSelText(), c.find);

        // Just after the match, on the second piece: the match starts on the line before.
        f.e.MoveCaretTo(static_cast<int>(c.find.size() / 2), 1);
        f.e.FindStart(c.find);
        ASSERT_TRUE(f.e.FindPrev());
        EXPECT_EQ(f.hits.back(), c.at);

        f.e.MoveCaretTo(0, 0);
        EXPECT_GE(f.e.FindChange(c.find, "--"), 1);
        EXPECT_EQ(f.e.Text().substr(0, c.at.x + 2), c.text.substr(0, c.at.x) + "--");
    }
}

// From the end of one soft line to the start of the next is no text at all.
TEST(SoftBreak, ASelectionOverASoftBreakAloneIsEmpty) {
    Editor f("abcdefghijKLM");
    ASSERT_EQ(f.e.Lines().Get(0), "abcdefghij");
    f.e.Select({0, 10}, {1, 0});
    EXPECT_FALSE(f.e.HasSelection());
    f.e.KeyDown(vk::kDelete, kShiftNone);  // deletes the next character
    EXPECT_EQ(f.e.Text(), "abcdefghijLM");
    f.e.Select({0, 9}, {1, 0});
    EXPECT_TRUE(f.e.HasSelection());
}

TEST(SoftBreak, ScrollingKeepsTheSelection) {
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "line\r\n";
    Editor f(text);
    f.e.Select({0, 0}, {0, 3});
    f.e.Wheel(-120);
    EXPECT_GT(f.e.TopLine(), 0);
    f.e.ScrollLines(10);  // the scroll bar
    EXPECT_TRUE(f.e.HasSelection());
    EXPECT_EQ(f.e.GetSelText(), "lin");
    f.e.Deselect();
    const int line = f.e.CaretY();
    f.e.ScrollLines(5);  // without a selection the caret goes along
    EXPECT_EQ(f.e.CaretY(), line + 5);
}

// Wrapped at the window's edge, a narrow moment must not leave the text scrolled. (The
// window's alignment test scrolls an unwrapped text by whole cells and back.)
TEST(SoftBreak, TheHorizontalOffsetAfterAResize) {
    Editor f("a long paragraph that wraps at the edge of the window and goes on");
    f.e.SetAutoWrap(true);
    f.e.MoveCaretTo(0, f.e.Lines().Count() - 1);
    f.e.KeyDown(vk::kEnd, kShiftNone);
    for (int width : {40, 60, 800}) {
        f.e.SetClientSize(width, 16 * 18 + 4);
    }
    EXPECT_EQ(f.e.HorzOffset(), 0);
}

}  // namespace
}  // namespace varnel::editor
