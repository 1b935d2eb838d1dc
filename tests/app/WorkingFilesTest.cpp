// Working files in the window: the save question before a text is replaced, save and
// save-as through the dialog seam, failed writes, and the forward tail.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include "FormFakes.h"
#include "TempDir.h"
#include "app/CommandTable.h"
#include "app/TForm1.h"

namespace varnel::app {
namespace {

namespace fs = std::filesystem;
using platform::Answer;

// A draft without a final line end, in the mailer's out folder (opens in editor mode).
const std::string kDraft = "To: c@example.jp\r\n--------\r\n\r\nline \x95\x5c";

class WorkingFilesTest : public ::testing::Test, protected testing::FormFakes {
  protected:
    void SetUp() override {
        home = root / "Pelk";
        draft = home / "out" / "0003.txt";
        testing::WriteBytes(draft, kDraft);
        ini = root / "varnel32.ini";
        testing::WriteBytes(ini, "[View]\r\nEnglishMenu=1\r\n");
    }
    TForm1& Start(const std::vector<std::string>& params) {
        form = StartForm(params, ini.string(), root.string(), {{"PELKHOME", home.string()}});
        return *form;
    }
    // Types at the end of the text, as the user would.
    void Type(TForm1& f, const std::string& s) {
        editor::TSonEdit2& e = f.SonEdit1();
        e.MoveCaretTo(0, e.Lines().Count() - 1);
        e.KeyDown(editor::vk::kEnd, editor::kShiftNone);
        e.TypeText(s);
    }

    testing::TempDir tmp;
    fs::path root{tmp.path()}, home, draft, ini;
    std::unique_ptr<TForm1> form;
};

// Every path that replaces the shown text asks first: Yes saves, No discards, Cancel
// keeps the window and the typed text.
TEST_F(WorkingFilesTest, TypedTextIsAskedAboutBeforeItIsReplaced) {
    const fs::path other = home / "In" / "0001.txt";
    testing::WriteBytes(other, "X-Status: READ\r\nSubject: s\r\n\r\nother\r\n");
    const std::function<bool(TForm1&)> leaves[] = {
        [](TForm1& f) { return f.FormCloseQuery(); },
        [&](TForm1& f) {
            f.DdeOpenMail(other.string());
            return f.CurrentMailFile == other.string();
        },
        [&](TForm1& f) {
            f.FileDropped(other.string());
            return f.CurrentMailFile == other.string();
        },
    };
    for (const auto& leave : leaves) {
        for (const Answer answer : {Answer::Cancel, Answer::No, Answer::Yes}) {
            testing::WriteBytes(draft, kDraft);
            TForm1& f = Start({draft.string()});
            ASSERT_FALSE(f.SonEdit1().ReadOnly);
            Type(f, "!");
            ASSERT_TRUE(f.SonEdit1().Modified());
            prompter.asked.clear();
            prompter.script = {answer};
            const bool left = leave(f);
            ASSERT_EQ(prompter.asked.size(), 1u);
            EXPECT_EQ(prompter.asked[0], "Save 0003.txt ?");
            EXPECT_EQ(left, answer != Answer::Cancel);
            // Yes wrote the typed text and nothing else: no final line end was added.
            EXPECT_EQ(testing::ReadAll(draft), answer == Answer::Yes ? kDraft + "!" : kDraft);
            if (answer == Answer::Cancel) {
                EXPECT_TRUE(f.SonEdit1().Modified());
                EXPECT_EQ(f.SonEdit1().Text(), kDraft + "!");
            }
        }
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(home / "out"), fs::directory_iterator()), 1);
}

TEST_F(WorkingFilesTest, SaveOfAnUntitledTextGoesThroughSaveAs) {
    TForm1& f = Start({});
    f.SonEdit1().ReadOnly = false;
    Type(f, "memo");
    // Cancelling the dialog saves nothing and keeps the window open.
    prompter.script = {Answer::Yes};
    EXPECT_FALSE(f.FormCloseQuery());
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_TRUE(dialogs.asked[0].save);
    EXPECT_EQ(dialogs.asked[0].filter, "Text Files (*.txt)|*.txt|All Files (*.*)|*.*");
    EXPECT_EQ(dialogs.asked[0].defaultExt, "txt");
    EXPECT_TRUE(f.SonEdit1().Modified());

    const std::string chosen = (root / "Notes" / "Memo.TXT").string();
    fs::create_directories(root / "Notes");
    dialogs.script = {chosen};
    ASSERT_TRUE(RunCommand(f, "Save1"));
    EXPECT_TRUE(f.SaveSucceeded);
    EXPECT_EQ(testing::ReadAll(chosen), "memo");
    EXPECT_EQ(f.CurrentMailFile, chosen);  // the name as chosen, case kept
    EXPECT_FALSE(f.SonEdit1().Modified());
    EXPECT_EQ(view.title, "Varnel32 - Notes  Memo.TXT");

    // Now titled and in editor mode: Save writes without a dialog.
    Type(f, "2");
    ASSERT_TRUE(RunCommand(f, "Save1"));
    EXPECT_EQ(dialogs.asked.size(), 2u);
    EXPECT_EQ(testing::ReadAll(chosen), "memo2");
    EXPECT_TRUE(f.FormCloseQuery());
}

// A received mail is shown decoded: saving it in editor mode must not put the display
// over the raw mail.
TEST_F(WorkingFilesTest, ADecodedMailIsNeverSavedOverTheMail) {
    const fs::path mail = home / "In" / "0001.txt";
    const std::string raw =
        "X-Status: READ\r\nSubject: s\r\nContent-Type: multipart/mixed; boundary=\"b\"\r\n\r\n"
        "--b\r\n\r\ntext\r\n--b\r\nContent-Type: application/zip\r\n"
        "Content-Transfer-Encoding: base64\r\n\r\nUEsDBA==\r\n--b--\r\n";
    testing::WriteBytes(mail, raw);
    TForm1& f = Start({mail.string()});
    RunCommand(f, "ViewerMode1");
    Type(f, "x");
    const std::string other = (root / "copy.txt").string();
    dialogs.script = {other};
    ASSERT_TRUE(RunCommand(f, "Save1"));
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].startDir, mail.parent_path().string());
    EXPECT_EQ(dialogs.asked[0].proposedName, "0001.txt");
    EXPECT_EQ(testing::ReadAll(mail.string()), raw);
    EXPECT_EQ(testing::ReadAll(other), f.SonEdit1().Text());
}

TEST_F(WorkingFilesTest, AFailedSaveKeepsTheTextModifiedAndTheOldFileWhole) {
    TForm1& f = Start({draft.string()});
    Type(f, "!");
    // The file-size limit makes the write fail, even for root.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit tiny = old;
    tiny.rlim_cur = 4;
    setrlimit(RLIMIT_FSIZE, &tiny);
    prompter.script = {Answer::Yes};
    const bool closed = f.FormCloseQuery();
    setrlimit(RLIMIT_FSIZE, &old);

    EXPECT_FALSE(closed);
    EXPECT_FALSE(f.SaveSucceeded);
    EXPECT_TRUE(f.SonEdit1().Modified());
    EXPECT_EQ(f.CurrentMailFile, draft.string());
    ASSERT_EQ(prompter.asked.size(), 2u);  // the question, then the failure
    EXPECT_NE(prompter.asked[1].find("not saved"), std::string::npos) << prompter.asked[1];
    EXPECT_EQ(testing::ReadAll(draft), kDraft);
    EXPECT_EQ(std::distance(fs::directory_iterator(home / "out"), fs::directory_iterator()), 1);
}

TEST_F(WorkingFilesTest, AReadOnlyFolderRefusesTheSave) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    TForm1& f = Start({draft.string()});
    Type(f, "!");
    fs::permissions(home / "out", fs::perms::owner_read | fs::perms::owner_exec);
    f.Save1Click();
    fs::permissions(home / "out", fs::perms::owner_all);
    EXPECT_FALSE(f.SaveSucceeded);
    EXPECT_TRUE(f.SonEdit1().Modified());
    EXPECT_EQ(testing::ReadAll(draft), kDraft);
}

TEST_F(WorkingFilesTest, AForwardTailRefusesSaveAndMakesSaveAsABackup) {
    const std::string fwd =
        "X-Forward: yes\r\nTo: d@example.jp\r\n--------\r\n\r\nsee below\r\n"
        "Content-Type: message/rfc822\r\nContent-Type: multipart/mixed; boundary=\"q\"\r\n\r\n"
        "--q\r\n\r\nforwarded text\r\n--q\r\nContent-Type: image/png\r\n\r\niVBO\r\n--q--\r\n";
    testing::WriteBytes(draft, fwd);
    TForm1& f = Start({draft.string()});
    ASSERT_TRUE(f.ForwardTail.has_value());
    Type(f, "!");
    prompter.asked.clear();
    f.Save1Click();
    EXPECT_FALSE(f.SaveSucceeded);
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0], "Use SEND MAIL, or attached files will be lost.");
    EXPECT_EQ(testing::ReadAll(draft), fwd);

    const std::string backup = (root / "backup.txt").string();
    dialogs.script = {backup};
    f.SaveAs1Click();
    EXPECT_TRUE(f.SaveSucceeded);
    EXPECT_EQ(testing::ReadAll(backup), f.SonEdit1().Text());
    EXPECT_EQ(f.CurrentMailFile, draft.string());  // editing goes on in the draft
    EXPECT_TRUE(f.SonEdit1().Modified());
    EXPECT_EQ(prompter.asked.back().rfind("BACKUP SAVING ONLY", 0), 0u);
    EXPECT_EQ(testing::ReadAll(draft), fwd);
}

}  // namespace
}  // namespace varnel::app
