// The find and replace dialogs and the options dialog as the window drives them, through
// recording fakes: search across soft line breaks, case folding that never touches a
// trail byte, the plain keys released while a dialog is open, and the options written
// key by key and taken at once.
#include <gtest/gtest.h>

#include "FormTest.h"

namespace varnel::app {
namespace {

using platform::FindOptions;

class WindowDialogsTest : public testing::FormTest {
  protected:
    TForm1& Start(const std::string& settings) {
        WriteSettings(settings);
        return StartReady({});
    }
    // Shows text in editor mode wrapped at column 10, the caret at the start.
    void Show(TForm1& f, const std::string& text) {
        editor::TSonEdit2& e = f.SonEdit1();
        if (e.ReadOnly) {
            ASSERT_TRUE(RunCommand(f, "ViewerMode1"));
        }
        e.SetText(text);
        e.SetAutoWrap(true);
        e.SetColumn(10);
        e.CaretToTop();
    }
};

TEST_F(WindowDialogsTest, FindsAcrossSoftBreaksAndNeverFoldsTrailBytes) {
    TForm1& f = Start("[View]\r\nEnglishMenu=1\r\n");
    const struct {
        std::string text, find;
        bool matchCase;
        std::string hit;  // "" = not found
    } cases[] = {
        {"aaaaaaaNEEdle aaaa\r\n", "needle", false, "NEEdle"},  // cut by the wrap
        {"aaaaaaaNEEdle aaaa\r\n", "needle", true, ""},
        {"xx\x83\x41xx\r\n", "\x83\x61", false, ""},  // ア is not ヂ lower-cased
        {"xx\x83\x41xx\r\n", "a", false, ""},         // nor an "A" inside a kanji
        {"xx\x83\x41xA\r\n", "a", false, "A"},
        {"\x83\x41\x83\x41\x83\x41\x83\x41\x83\x41\x83\x41", "\x83\x41\x83\x41\x83\x41", true,
         "\x83\x41\x83\x41\x83\x41"},
    };
    for (const auto& c : cases) {
        Show(f, c.text);
        prompter.asked.clear();
        ASSERT_TRUE(RunCommand(f, "Find1"));
        findDialog.onFindNext(c.find, {c.matchCase, true});
        if (c.hit.empty()) {
            EXPECT_EQ(prompter.asked, std::vector<std::string>{"Not found."}) << c.text;
            EXPECT_EQ(findDialog.findText, "") << c.text;  // cleared after no hit
        } else {
            EXPECT_TRUE(prompter.asked.empty()) << c.text;
            EXPECT_EQ(f.SonEdit1().GetSelText(), c.hit) << c.text;
        }
        findDialog.Close();
    }
}

TEST_F(WindowDialogsTest, FindNextPreviousAndReplace) {
    TForm1& f = Start("[View]\r\nEnglishMenu=1\r\n");
    editor::TSonEdit2& e = f.SonEdit1();
    Show(f, "foo1 foo2\r\nfoo3\r\n");
    // Without a find text Find Next opens the dialog; the selection presets it.
    ASSERT_TRUE(RunCommand(f, "FindNext1"));
    EXPECT_TRUE(findDialog.open);
    findDialog.onFindNext("foo", {});
    findDialog.onFindNext("foo", {});
    EXPECT_EQ(e.CaretX(), 8);  // after "foo2"'s "foo"
    findDialog.onFindNext("foo", {false, false});
    EXPECT_EQ(e.CaretX(), 3);  // back to the first
    findDialog.Close();
    ASSERT_TRUE(RunCommand(f, "FindNext1"));  // the text is kept
    EXPECT_EQ(e.CaretX(), 8);

    // Replace in viewer mode is refused; in editor mode one hit, then all the rest.
    ASSERT_TRUE(RunCommand(f, "ViewerMode1"));
    prompter.asked.clear();
    ASSERT_TRUE(RunCommand(f, "Replace1"));
    EXPECT_EQ(prompter.asked, std::vector<std::string>{"Read only mode."});
    ASSERT_TRUE(RunCommand(f, "ViewerMode1"));
    e.CaretToTop();
    ASSERT_TRUE(RunCommand(f, "Replace1"));
    EXPECT_EQ(findDialog.kind, platform::FindDialog::Kind::Replace);
    findDialog.onFindNext("FOO", {});
    findDialog.onReplace("FOO", "bar", {});  // replaces the hit, shows the next
    EXPECT_EQ(e.Text(), "bar1 foo2\r\nfoo3\r\n");
    EXPECT_EQ(e.GetSelText(), "foo");
    prompter.asked.clear();
    findDialog.onReplaceAll("FOO", "bar", {});
    EXPECT_EQ(e.Text(), "bar1 bar2\r\nbar3\r\n");
    EXPECT_EQ(prompter.asked,
              std::vector<std::string>{"Replaced 2 occurrence(s).\r\nThe same string may remain at "
                                       "the beginning."});
}

TEST_F(WindowDialogsTest, DialogReleasesPlainKeysAndKeepsItsPlace) {
    TForm1& f = Start("[FindDialog]\r\nLeft=40\r\nTop=50\r\n[Key]\r\nFindNext=114\r\n");
    ASSERT_TRUE(f.SonEdit1().ReadOnly);
    const std::vector<int> deleteKey{46};
    EXPECT_EQ(view.shortcuts["Delete1"], deleteKey);
    ASSERT_TRUE(RunCommand(f, "Find1"));
    ASSERT_TRUE(findDialog.openedAt.has_value());
    EXPECT_EQ(findDialog.openedAt->left, 40);
    EXPECT_TRUE(view.shortcuts["Delete1"].empty());            // Delete types in the dialog
    EXPECT_EQ(view.shortcuts["FindNext1"], std::vector{114});  // F3 stays
    EXPECT_FALSE(f.RunShortcut(46, 0));
    findDialog.Close();
    EXPECT_EQ(view.shortcuts["Delete1"], deleteKey);
    EXPECT_NE(Ini().find("[FindDialog]\r\nLeft=300\r\nTop=200\r\n"), std::string::npos);
}

TEST_F(WindowDialogsTest, OptionsWriteOnlyTheChangedKeyAndTakeEffect) {
    const std::string before =
        "; mine\r\n[View]\r\nViewerColor = 12632256\r\nFontName=\x82\x6c\x82\x72 x\r\n"
        "[Key]\r\nHeader=116\r\n";
    TForm1& f = Start(before);
    f.SonEdit1().SetModified(true);
    const std::string started = Ini();  // with the start counter
    std::string changed = started;
    changed.replace(changed.find("= 12632256"), 10, "= 255");  // its own line, as it was
    const struct {
        bool accept;
        std::string key, value;
        std::string file;  // the settings file afterwards
    } cases[] = {
        {false, "ViewerColor", "255", started},
        {true, "FontName", "\x82\x6c\x82\x72 x", started},  // unchanged: nothing written
        {true, "ViewerColor", "255", changed},
    };
    for (const auto& c : cases) {
        options.accept = c.accept;
        options.edit = [&c](std::vector<platform::OptionField>& fields) {
            for (auto& field : fields)
                if (field.key == c.key)
                    field.value = c.value;
        };
        ASSERT_TRUE(RunCommand(f, "Option1"));
        EXPECT_EQ(Ini(), c.file) << c.key;
    }
    EXPECT_EQ(f.CurrentSettings().view.ViewerColor, 255);
    EXPECT_EQ(view.appearance.background, 255u);  // shown without a restart
    EXPECT_TRUE(f.SonEdit1().Modified());         // the text's state is kept
    EXPECT_EQ(view.shortcuts["Header1"], std::vector{116});
}

TEST_F(WindowDialogsTest, IniFileOpensAsTextInEditorMode) {
    TForm1& f = Start("[View]\r\nDebugMode=1\r\n");
    f.ForwardTail = "tail";
    ASSERT_TRUE(RunCommand(f, "Inifile1"));
    EXPECT_EQ(f.SonEdit1().Text(), Ini());
    EXPECT_FALSE(f.SonEdit1().ReadOnly);
    EXPECT_FALSE(f.SonEdit1().Modified());
    EXPECT_FALSE(f.ForwardTail.has_value());
    EXPECT_EQ(view.title, "Varnel32 - varnel32.ini");
    EXPECT_EQ(f.CurrentMailFile, ini.string());
}

}  // namespace
}  // namespace varnel::app
