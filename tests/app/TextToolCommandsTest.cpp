// The text tool commands in the window: reachable through the command table, editing
// the editor's text as undoable edits, refused in viewer mode; side files from the
// config directory; printing and the printer font through the print seam; the spelling
// check ends before another mail is shown.
#include <gtest/gtest.h>

#include "FormTest.h"
#include "tools/PickLists.h"

namespace varnel::app {
namespace {

class TextToolCommandsTest : public testing::FormTest {
  protected:
    void SetUp() override {
        draft = Put("out/0003.txt", "Subject: hello world\r\n\r\nabc\r\nlast");
        inbox = Put("Inbox/0001.txt", "Subject: x\r\n\r\nbody\r\n");
        WriteSettings(
            "[View]\r\nEnglishMenu=1\r\n[Printer]\r\nLeftSpace=2\r\n"
            "PrintHeader=Title\r\n[SpellCheck]\r\nSpellChecker=1\r\n");
    }

    std::string draft, inbox;
};

TEST_F(TextToolCommandsTest, EditCommandsRunFromTheTableAndUndo) {
    TForm1& f = Start({draft});
    editor::TSonEdit2& e = f.SonEdit1();
    ASSERT_FALSE(e.ReadOnly);
    const std::string original = e.Text();
    e.Select({0, 9}, {0, 14});  // "hello"
    ASSERT_TRUE(RunCommand(f, "CaseChange1"));
    EXPECT_EQ(e.Text().substr(0, 20), "Subject: Hello world");
    e.Select({0, 9}, {0, 14});
    ASSERT_TRUE(RunCommand(f, "ZenkakuHankaku1"));
    EXPECT_EQ(e.Text().substr(9, 10), "\x82\x67\x82\x85\x82\x8c\x82\x8c\x82\x8f");
    const int last = e.Lines().Count() - 1;  // "last", without a line end
    e.MoveCaretTo(1, last);
    ASSERT_TRUE(RunCommand(f, "CutLine1"));
    EXPECT_EQ(clipboard.text, "last");
    e.MoveCaretTo(1, last - 1);
    ASSERT_TRUE(RunCommand(f, "CutRight1"));
    EXPECT_EQ(clipboard.text, "bc");
    ASSERT_TRUE(RunCommand(f, "CutLeft1"));
    EXPECT_EQ(clipboard.text, "a");
    for (int i = 0; i < 20 && e.Modified(); ++i)
        e.Undo();
    EXPECT_EQ(e.Text(), original);
}

TEST_F(TextToolCommandsTest, WidthSwitchRunsTheDependentCharCheck) {
    TForm1& f = Start({draft});
    editor::TSonEdit2& e = f.SonEdit1();
    e.SetText(
        "x\r\n\xb6\xde"
        "ab\r\n\x87\x90");  // ｶﾞab, then NEC ≒
    e.Select({1, 0}, {1, 4});
    ASSERT_TRUE(RunCommand(f, "ZenkakuHankaku1"));
    // The kana and its voiced mark become ガ; the NEC twin of ≒ becomes the JIS one.
    EXPECT_EQ(e.Text(), "x\r\n\x83\x4b\x82\x81\x82\x82\r\n\x81\xe0");
    for (int i = 0; i < 10 && e.Modified(); ++i)
        e.Undo();
    EXPECT_EQ(e.Text(),
              "x\r\n\xb6\xde"
              "ab\r\n\x87\x90");
}

TEST_F(TextToolCommandsTest, ConfiguredKeysRunTheCommands) {
    WriteSettings("[Key]\r\nCutLine=634\r\nSpellCheck=633\r\n");  // Ctrl+F11, Ctrl+F10
    TForm1& f = StartReady({draft});                              // the second phase reads the keys
    f.SonEdit1().MoveCaretTo(0, 0);
    EXPECT_TRUE(f.RunShortcut(0x7A, 2));
    EXPECT_EQ(clipboard.text, "Subject: hello world\r\n");
    EXPECT_TRUE(f.RunShortcut(0x79, 2));
    EXPECT_TRUE(prompter.asked.empty());  // SpellChecker is off in this settings file
}

TEST_F(TextToolCommandsTest, ViewerModeRefusesEdits) {
    TForm1& f = Start({inbox});
    editor::TSonEdit2& e = f.SonEdit1();
    ASSERT_TRUE(e.ReadOnly);
    const std::string shown = e.Text();
    e.SelectAll();
    for (const char* c : {"CaseChange1", "ZenkakuHankaku1", "OldTypeface1", "CutLine1"})
        RunCommand(f, c);
    RunCommand(f, "InsertChar1");
    EXPECT_EQ(e.Text(), shown);
    EXPECT_FALSE(pickList.visible);
}

TEST_F(TextToolCommandsTest, OldTypefaceAndPickListsUseTheSideFiles) {
    TForm1& f = Start({draft});
    editor::TSonEdit2& e = f.SonEdit1();
    e.SetText("\x8b\x8c");  // 旧
    e.SelectAll();
    RunCommand(f, "OldTypeface1");
    EXPECT_EQ(prompter.asked.back(), "No \"vnlkanji.txt\" found.");
    testing::WriteBytes(root / "vnlkanji.txt", "\x8b\x8c\xe4\x70\r\n");  // beside the ini
    e.SelectAll();
    RunCommand(f, "OldTypeface1");
    EXPECT_EQ(e.Text(), "\xe4\x70");

    RunCommand(f, "InsertChar1");
    ASSERT_TRUE(pickList.visible);
    EXPECT_EQ(pickList.entries, tools::SymbolPickList());
    f.ListBox1Click(9, false, false);  // 〒
    EXPECT_EQ(e.Text(), "\xe4\x70\x81\xa7");
    EXPECT_FALSE(pickList.visible);
    RunCommand(f, "Greek1");
    EXPECT_EQ(pickList.entries, tools::GreekPickList());
    f.EuropeanChar1Click();  // no vnleurop.txt anywhere: reported, no list
    EXPECT_NE(prompter.asked.back().find("vnleurop.txt"), std::string::npos);
}

TEST_F(TextToolCommandsTest, PrintAndPrinterFont) {
    TForm1& f = Start({draft});  // the printed lines are checked in a PDF (QtTextToolsTest)
    ASSERT_TRUE(RunCommand(f, "PrintFont1"));
    EXPECT_NE(Ini().find("FontName=Chosen"), std::string::npos);
    EXPECT_NE(Ini().find("FontSize=12"), std::string::npos);
    RunCommand(f, "Print1");
    EXPECT_EQ(printer.jobFont.name, "Chosen");
}

TEST_F(TextToolCommandsTest, SteppingToAnotherMailEndsTheSpellCheck) {
    knownWords = {"subject", "world", "abc"};
    TForm1& f = Start({draft});
    f.RunSecondPhase();              // SpellChecker, which enables the item, is read there
    f.SonEdit1().MoveCaretTo(0, 0);  // the check starts in the caret's paragraph
    ASSERT_TRUE(RunCommand(f, "SpellCheck1"));
    ASSERT_TRUE(f.Form2().InProgress());
    EXPECT_EQ(f.SonEdit1().GetSelText(), "hello");
    spellWindow.left = 321;
    f.OpenMailFile(inbox);
    EXPECT_FALSE(f.Form2().InProgress());
    EXPECT_FALSE(spellWindow.shown);
    EXPECT_NE(Ini().find("Left=321"), std::string::npos);
    const std::string shown = f.SonEdit1().Text();
    spellWindow.replacement = "XXX";
    f.Form2().ChangeButtonClick();  // a late click reaches no text
    EXPECT_EQ(f.SonEdit1().Text(), shown);
}

}  // namespace
}  // namespace varnel::app
