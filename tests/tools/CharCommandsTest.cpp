// The character commands on the editor: undoable edits, read-only refusal, the cuts on
// the caret's line, the dependent-character check after a width switch, the pick list.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "fakes/ToolFakes.h"
#include "tools/CharCommands.h"
#include "tools/PickLists.h"
#include "tools/SideFiles.h"
#include "tools/ToolsFixture.h"

namespace varnel::tools {
namespace {

TEST(CharCommands, SelectionCommandsAreUndoableAndRefusedWhenReadOnly) {
    EditFixture f("say hello. world\r\n");
    f.e.Select({0, 4}, {0, 16});
    int checks = 0;
    ZenkakuHankakuCommand(f.e, [&] { ++checks; });
    EXPECT_EQ(checks, 1);
    EXPECT_EQ(f.e.Text().substr(0, 4), "say ");
    EXPECT_EQ(f.e.Text().size(), 4 + 11 * 2 + 1 + 2u);  // the blank has no partner
    f.UndoAll();
    EXPECT_EQ(f.e.Text(), "say hello. world\r\n");

    f.e.Select({0, 4}, {0, 16});
    CaseChangeCommand(f.e);
    EXPECT_EQ(f.e.Text(), "say Hello. World\r\n");

    f.e.ReadOnly = true;
    f.e.Select({0, 0}, {0, 3});
    CaseChangeCommand(f.e);
    ZenkakuHankakuCommand(f.e, [&] { ++checks; });
    EXPECT_EQ(f.e.Text(), "say Hello. World\r\n");
    EXPECT_EQ(checks, 1);
}

TEST(CharCommands, OldTypefaceReadsTheTableFileOrSaysItIsMissing) {
    EditFixture f("\x8b\x8c\x8b\x8c");  // 旧旧
    const auto dir = std::filesystem::temp_directory_path() / "varnel_oldtypeface";
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "vnlkanji.txt").string();
    std::ofstream(path, std::ios::binary) << "\x8b\x8c\xe4\x70\r\n";
    f.e.SelectAll();
    OldTypefaceCommand(f.e, FindSideFile("vnlkanji.txt", {dir.string()}), f.prompter);
    EXPECT_EQ(f.e.Text(), "\xe4\x70\xe4\x70");
    f.e.SelectAll();
    OldTypefaceCommand(f.e, FindSideFile("vnlkanji.txt", {"/nonexistent"}), f.prompter);
    ASSERT_EQ(f.prompter.asked.size(), 1u);
    EXPECT_EQ(f.prompter.asked[0], "No \"vnlkanji.txt\" found.");
    std::filesystem::remove_all(dir);
}

TEST(CharCommands, CutsOnTheCaretLine) {
    const struct {
        const char* name;
        void (*command)(editor::TSonEdit&);
        editor::DisplayPos caret;
        const char* text;
        const char* after;
        const char* clipboard;
    } cases[] = {
        {"line", CutLineCommand, {0, 2}, "abc\r\ndef\r\n", "def\r\n", "abc\r\n"},
        // The last line has no line end: its text is cut, not lost.
        {"last line", CutLineCommand, {1, 1}, "abc\r\nlast", "abc\r\n", "last"},
        {"right", CutRightCommand, {0, 3}, "abcdef\r\nx", "abc\r\nx", "def"},
        {"right on last", CutRightCommand, {0, 1}, "abc", "a", "bc"},
        {"left", CutLeftCommand, {0, 3}, "abcdef\r\nx", "def\r\nx", "abc"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EditFixture f(c.text);
        f.e.MoveCaretTo(c.caret.x, c.caret.line);
        c.command(f.e);
        EXPECT_EQ(f.e.Text(), c.after);
        EXPECT_EQ(f.clipboard.text, c.clipboard);
        f.UndoAll();
        EXPECT_EQ(f.e.Text(), c.text);

        f.e.ReadOnly = true;
        f.e.MoveCaretTo(c.caret.x, c.caret.line);
        c.command(f.e);
        EXPECT_EQ(f.e.Text(), c.text);
    }
}

TEST(CharCommands, CutLineTakesOneWrappedPiece) {
    EditFixture f("aaaa bbbb cccc dddd\r\nz", true, 8);
    ASSERT_TRUE(f.e.Lines().IsSoft(0));
    f.e.MoveCaretTo(2, 0);
    const std::string piece(editor::ParagraphMap::Content(f.e.Lines()[0]));
    CutLineCommand(f.e);
    EXPECT_EQ(f.clipboard.text, piece);
    EXPECT_EQ(f.e.Text().find(piece), std::string::npos);
}

TEST(CharPicker, InsertsAtTheCaretAndHidesUnlessCtrl) {
    EditFixture f("ab");
    f.e.SetSingleByteMode(true);  // the European list goes with the Western font
    fakes::RecordingPickList view;
    CharPicker picker(view);
    f.e.MoveCaretTo(1, 0);
    picker.Show(f.e, {"\xe9", "\xc0\xe0"}, {"Courier New", 10, true});
    EXPECT_TRUE(view.visible);
    picker.Click(f.e, 1, true, true);  // Shift: second of the pair; Ctrl keeps the list
    EXPECT_EQ(f.e.Text(),
              "a\xe0"
              "b");
    EXPECT_TRUE(view.visible);
    picker.Click(f.e, 1, false, false);
    EXPECT_EQ(f.e.Text(),
              "a\xe0\xc0"
              "b");
    EXPECT_FALSE(view.visible);

    f.e.ReadOnly = true;
    picker.Show(f.e, GreekPickList(), {"x", 10, false});
    EXPECT_FALSE(view.visible);
    picker.Click(f.e, 0, false, false);
    EXPECT_EQ(f.e.Text(),
              "a\xe0\xc0"
              "b");
}

TEST(SideFiles, ConfigDirectoryWinsOverInstalledData) {
    const auto root = std::filesystem::temp_directory_path() / "varnel_sidefiles";
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root / "config");
    std::filesystem::create_directories(root / "share/varnel32");
    std::filesystem::create_directories(root / "bin");
    std::ofstream(root / "share/varnel32/vnleurop.txt") << "installed";
    const auto dirs = SideFileDirs((root / "config").string(), (root / "bin").string(),
                                   (root / "none").string() + ":relative");
    EXPECT_EQ(dirs.size(), 3u);  // the relative XDG entry is left out
    EXPECT_EQ(FindSideFile("vnleurop.txt", dirs), (root / "share/varnel32/vnleurop.txt").string());
    std::ofstream(root / "config/vnleurop.txt") << "mine\r\nsecond";
    EXPECT_EQ(FindSideFile("vnleurop.txt", dirs), (root / "config/vnleurop.txt").string());
    std::vector<std::string> lines;
    std::string error;
    ASSERT_TRUE(ReadTextLines(FindSideFile("vnleurop.txt", dirs), lines, error));
    EXPECT_EQ(lines, (std::vector<std::string>{"mine", "second"}));
    EXPECT_EQ(FindSideFile("vnlkanji.txt", dirs), "");
    std::filesystem::remove_all(root);
}

}  // namespace
}  // namespace varnel::tools
