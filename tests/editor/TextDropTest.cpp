// Dropping text: moves land where the user pointed, also below the moved text; a drop
// onto the selection changes nothing; copies and foreign text are inserted.
#include <gtest/gtest.h>

#include "editor/SonEdit2.h"
#include "editor/TextDrop.h"
#include "fakes/EditorFakes.h"
#include "fakes/Fakes.h"

namespace varnel::editor {
namespace {

TEST(TextDrop, PositionAfterRemoval) {
    const LogicalPos b{1, 2};
    const LogicalPos e{3, 4};
    struct Case {
        LogicalPos p, want;
    } cases[] = {
        {{0, 9}, {0, 9}}, {{1, 2}, {1, 2}},  {{1, 5}, {1, 2}}, {{2, 0}, {1, 2}},
        {{3, 4}, {1, 2}}, {{3, 10}, {1, 8}}, {{4, 1}, {2, 1}}, {{9, 0}, {7, 0}},
    };
    for (const Case& c : cases) {
        const LogicalPos got = PositionAfterRemoval(c.p, b, e);
        EXPECT_EQ(got, c.want) << c.p.para << "," << c.p.offset;
    }
    // Within one paragraph.
    EXPECT_EQ(PositionAfterRemoval({0, 9}, {0, 2}, {0, 5}), (LogicalPos{0, 6}));
}

struct Fixture {
    fakes::CellTextMetrics metrics;
    fakes::MemoryClipboard clipboard;
    fakes::ScriptedPrompter prompter;
    TSonEdit2 e{metrics, clipboard, prompter};

    explicit Fixture(std::string_view text) {
        e.SetClientSize(800, 300);
        e.SetWrap(false, false);
        e.SetText(text);
    }
};

TEST(TextDrop, MovesCopiesAndRefusals) {
    const std::string original = "abc def world\r\nline2";
    struct Case {
        const char* name;
        DisplayPos selFrom, selTo, drop;
        bool fromSelf, ctrl;
        const char* want;  // equal to the original when the drop changes nothing
    } cases[] = {
        // Moves to a later line, before the selection, copies and drops onto the selection
        // are also dragged in the window's editor test.
        // "abc" moved behind "world" on the same line: the point moves left by three.
        {"move right, same line", {0, 0}, {0, 3}, {0, 9}, true, false, " def wabcorld\r\nline2"},
        {"onto the selection", {0, 0}, {0, 7}, {0, 3}, true, false, "abc def world\r\nline2"},
        {"from elsewhere", {0, 0}, {0, 3}, {0, 3}, false, false, "abcXY def world\r\nline2"},
        {"lines moved downward", {0, 5}, {1, 2}, {1, 4}, true, false, "abc dneef world\r\nli2"},
    };
    for (const Case& c : cases) {
        Fixture f(original);
        f.e.Select(c.selFrom, c.selTo);
        const std::string text = c.fromSelf ? f.e.GetSelText() : "XY";
        const bool changed = DropText(f.e, text, c.drop, c.fromSelf, c.ctrl);
        EXPECT_EQ(changed, c.want != original) << c.name;
        EXPECT_EQ(f.e.Text(), c.want) << c.name;
        EXPECT_FALSE(f.clipboard.has) << c.name;  // a drop never touches the clipboard
        const int edits = !changed ? 0 : c.fromSelf && !c.ctrl ? 2 : 1;  // a move: two
        for (int i = 0; i < edits; ++i)
            f.e.Undo();
        EXPECT_EQ(f.e.Text(), original) << c.name << ": undone";
    }
}

TEST(TextDrop, ReadOnlyRefusesAndDragEndRule) {
    Fixture f("abc");
    f.e.ReadOnly = true;
    EXPECT_FALSE(DropText(f.e, "x", {0, 1}, false, false));
    EXPECT_EQ(f.e.Text(), "abc");
    EXPECT_TRUE(DragEndDeletesSource(true, false));
    EXPECT_FALSE(DragEndDeletesSource(true, true));    // done by the drop itself
    EXPECT_FALSE(DragEndDeletesSource(false, false));  // cancelled or copied
    EXPECT_EQ(JoinDroppedFiles({"/a/x.txt", "/b/y z.txt", "/c"}), "/a/x.txt|/b/y z.txt|/c");
    EXPECT_EQ(JoinDroppedFiles({}), "");
}

}  // namespace
}  // namespace varnel::editor
