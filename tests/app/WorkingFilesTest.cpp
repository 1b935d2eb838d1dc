// Working files in the window: the save question before a text is replaced, save and
// save-as through the dialog seam, failed writes, and the forward tail.
#include <gtest/gtest.h>

#include "FormTest.h"

namespace varnel::app {
namespace {

namespace fs = std::filesystem;
using platform::Answer;

// A draft without a final line end, in the mailer's out folder (opens in editor mode).
const std::string kDraft = "To: c@example.jp\r\n--------\r\n\r\nline \x95\x5c";
// A forward draft with its tail.
const std::string kForward =
    "X-Forward: yes\r\nTo: d@example.jp\r\n--------\r\n\r\nsee below\r\n"
    "Content-Type: message/rfc822\r\nContent-Type: multipart/mixed; boundary=\"q\"\r\n\r\n"
    "--q\r\n\r\nforwarded text\r\n--q\r\nContent-Type: image/png\r\n\r\niVBO\r\n--q--\r\n";

class WorkingFilesTest : public testing::FormTest {
  protected:
    void SetUp() override {
        draft = Put("out/0003.txt", kDraft);
        WriteSettings("[View]\r\nEnglishMenu=1\r\n");
    }
    // Types at the end of the text, as the user would.
    void Type(TForm1& f, const std::string& s) {
        editor::TSonEdit2& e = f.SonEdit1();
        e.MoveCaretTo(0, e.Lines().Count() - 1);
        e.KeyDown(editor::vk::kEnd, editor::kShiftNone);
        e.TypeText(s);
    }

    fs::path draft;
};

// Every path that replaces the shown text asks first: Yes saves, No discards, Cancel
// keeps the window and the typed text.
TEST_F(WorkingFilesTest, TypedTextIsAskedAboutBeforeItIsReplaced) {
    const std::string other = Put("In/0001.txt", "X-Status: READ\r\nSubject: s\r\n\r\nother\r\n");
    const std::function<bool(TForm1&)> leaves[] = {
        [](TForm1& f) { return f.FormCloseQuery(); },
        [&](TForm1& f) {
            f.DdeOpenMail(other);
            return f.CurrentMailFile == other;
        },
        [&](TForm1& f) {
            f.FileDropped(other);
            return f.CurrentMailFile == other;
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
    prompter.script = {Answer::Yes};
    const bool closed = testing::UnderFileSizeLimit(4, [&] { return f.FormCloseQuery(); });

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
    testing::WriteBytes(draft, kForward);
    TForm1& f = Start({draft.string()});
    ASSERT_TRUE(f.ForwardTail.has_value());
    Type(f, "!");
    prompter.asked.clear();
    f.Save1Click();
    EXPECT_FALSE(f.SaveSucceeded);
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0], "Use SEND MAIL, or attached files will be lost.");
    EXPECT_EQ(testing::ReadAll(draft), kForward);

    const std::string backup = (root / "backup.txt").string();
    dialogs.script = {backup};
    f.SaveAs1Click();
    EXPECT_TRUE(f.SaveSucceeded);
    EXPECT_EQ(testing::ReadAll(backup), f.SonEdit1().Text());
    EXPECT_EQ(f.CurrentMailFile, draft.string());  // editing goes on in the draft
    EXPECT_TRUE(f.SonEdit1().Modified());
    EXPECT_EQ(prompter.asked.back().rfind("BACKUP SAVING ONLY", 0), 0u);
    EXPECT_EQ(testing::ReadAll(draft), kForward);
}

// Every command that shows another text asks first, and lets the forward tail go.
TEST_F(WorkingFilesTest, CommandsThatReplaceTheTextAskFirstAndReleaseTheForwardTail) {
    const std::string plain = (root / "plain.txt").string();
    testing::WriteBytes(plain, "plain\r\n");
    const std::string tmpDir = (root / "tmp").string();
    testing::WriteBytes(ini, "[Location]\r\nTempPath=" + tmpDir + "\r\n");
    struct Case {
        const char* command;
        std::optional<std::string> chosen;  // the dialog's answer
        std::string shownAfter;             // CurrentMailFile afterwards
    } cases[] = {
        {"New1", std::nullopt, ""},
        {"Open1", plain, plain},
        {"TempFile1", std::nullopt, tmpDir + "/_pel0042.tmp"},
    };
    for (const Case& c : cases) {
        testing::WriteBytes(draft, "Message-ID: <m@x>\r\n" + kForward);
        testing::WriteBytes(tmpDir + "/_pel0042.tmp", "To: x\r\nMessage-ID: <m@x>\r\n\r\nold\r\n");
        TForm1& f = StartReady({draft.string()});  // the second phase reads TempPath
        ASSERT_TRUE(f.ForwardTail) << c.command;
        Type(f, "!");
        prompter.asked.clear();
        prompter.script = {Answer::Cancel};
        dialogs.script = {c.chosen};
        RunCommand(f, c.command);
        EXPECT_EQ(prompter.asked.size(), 1u) << c.command;
        EXPECT_EQ(f.CurrentMailFile, draft.string()) << c.command;
        EXPECT_TRUE(f.ForwardTail) << c.command;

        prompter.script = {Answer::No};
        dialogs.script = {c.chosen};
        RunCommand(f, c.command);
        EXPECT_EQ(f.CurrentMailFile, c.shownAfter) << c.command;
        EXPECT_FALSE(f.ForwardTail) << c.command;
        EXPECT_FALSE(f.SonEdit1().Modified()) << c.command;
    }
    // A drop lets the tail go too.
    testing::WriteBytes(draft, kForward);
    TForm1& f = Start({draft.string()});
    f.FileDropped(plain);
    EXPECT_FALSE(f.ForwardTail);
    EXPECT_EQ(f.SonEdit1().Text(), "plain\r\n");
}

// A drop shows the first file as plain text under its own name; a missing one is told.
TEST_F(WorkingFilesTest, ADroppedFileIsShownAsPlainText) {
    const std::string memo = (root / "Notes" / "Memo.TXT").string();
    testing::WriteBytes(memo, "one\ntwo \x95\x5c\n");
    TForm1& f = Start({});
    f.FileDropped((root / "missing.txt").string());
    f.FileDropped("");
    EXPECT_EQ(prompter.asked.size(), 1u);  // the missing file only
    EXPECT_EQ(view.showTextCalls, 0);
    f.FileDropped(memo + "|" + (root / "other.txt").string());
    EXPECT_EQ(f.CurrentMailFile, memo);  // case kept
    EXPECT_EQ(Shown(), (std::vector<std::string>{"one", "two \x95\x5c"}));
    EXPECT_EQ(view.title, "Varnel32 - Notes  Memo.TXT");
    EXPECT_FALSE(f.SonEdit1().Modified());
    EXPECT_TRUE(channel.Macros().empty());  // a plain file tells the mailer nothing
}

TEST_F(WorkingFilesTest, OpenMailTakesOnlyMailFileNames) {
    const std::string mail = Put("In/0007.txt", "X-Status: READ\r\nSubject: s\r\n\r\nbody\r\n");
    const std::string notMail = Put("In/letter.txt", "x\r\n");
    TForm1& f = Start({draft.string()});
    dialogs.script = {notMail};
    RunCommand(f, "Open2");
    EXPECT_EQ(dialogs.asked.back().filter, "Pelk mail|????.txt");
    EXPECT_EQ(prompter.asked.back(), "This is not a Pelk mail file.");
    EXPECT_EQ(f.CurrentMailFile, draft.string());
    dialogs.script = {mail};
    RunCommand(f, "Open2");
    EXPECT_EQ(f.CurrentMailFile, mail);
    EXPECT_EQ(Shown().back(), "body");
}

TEST_F(WorkingFilesTest, AutosaveWritesABackupAndNeverOverAMailOrATail) {
    struct Case {
        bool extChange;
        bool forward;
        bool untitled;
        std::string target;  // relative to root
    } cases[] = {
        {true, false, false, "Pelk/out/0003.bak"},
        {false, false, false, "Pelk/out/0003.txt"},
        {false, true, false, "Pelk/out/0003.bak"},  // the tail still reads the draft
        {true, false, true, "autosave/Untitled.bak"},
    };
    for (const Case& c : cases) {
        fs::remove_all(root / "autosave");
        fs::remove(home / "out" / "0003.bak");
        const std::string original = c.forward ? kForward : kDraft;
        testing::WriteBytes(draft, original);
        testing::WriteBytes(ini, std::string("[Edit]\r\nAutoSave=1\r\nAutoSaveExtChange=") +
                                     (c.extChange ? "1" : "0") + "\r\n");
        TForm1& f =
            StartReady(c.untitled ? std::vector<std::string>{}
                                  : std::vector{draft.string()});  // the second phase reads [Edit]
        if (c.untitled)
            RunCommand(f, "ViewerMode1");
        EXPECT_FALSE(timer3.enabled);
        Type(f, "!");
        ASSERT_TRUE(timer3.enabled) << c.target;
        ASSERT_TRUE(timer3.Tick());
        EXPECT_EQ(testing::ReadAll((root / c.target).string()), f.SonEdit1().Text()) << c.target;
        EXPECT_TRUE(f.SonEdit1().Modified());  // the timer goes on until a save
        if (c.target != "Pelk/out/0003.txt") {
            EXPECT_EQ(testing::ReadAll(draft), original) << c.target;
        }
        RunCommand(f, "ViewerMode1");
        EXPECT_EQ(timer3.enabled, false) << "viewer mode stops autosave";
    }
    EXPECT_FALSE(fs::exists(root / "0003.bak"));
}

TEST_F(WorkingFilesTest, TemporaryFileOfTheShownMailIsFound) {
    const std::string tmpDir = (root / "tmp").string();
    testing::WriteBytes(ini,
                        "[Location]\r\nTempPath=" + tmpDir + "\r\n[View]\r\nEnglishMenu=1\r\n");
    const std::string mail =
        Put("In/0001.txt", "X-Status: READ\r\nDate: d1\r\nMessage-ID: <k@x>\r\n\r\nbody\r\n");
    testing::WriteBytes(tmpDir + "/_pel0001.tmp", "To: a\r\n\r\nMessage-ID: <k@x>\r\n");  // body
    testing::WriteBytes(tmpDir + "/xpel0002.tmp", "To: a\r\nMessage-ID: <K@x>\r\n\r\n");  // case
    testing::WriteBytes(tmpDir + "/_pel003.tmp", "Message-ID: <k@x>\r\n\r\n");            // name
    TForm1& f = StartReady({mail});
    RunCommand(f, "TempFile1");
    EXPECT_EQ(prompter.asked.back(), "No temporary file in " + tmpDir + "/");
    EXPECT_EQ(f.CurrentMailFile, mail);

    const std::string hit = tmpDir + "/_pel0009.tmp";
    testing::WriteBytes(hit, "In-Reply-To: <k@x>\r\nMessage-ID: <k@x>\r\nTo: b\r\n\r\nreply\r\n");
    RunCommand(f, "TempFile1");
    EXPECT_EQ(f.CurrentMailFile, hit);
    EXPECT_EQ(f.SonEdit1().Text(), testing::ReadAll(hit));
}

TEST_F(WorkingFilesTest, DeleteTempFilesSparesTheWorkingDirectoryWhenNothingIsShown) {
    const std::string tmpDir = (root / "tmp").string();
    testing::WriteBytes(ini, "[Location]\r\nTempPath=" + tmpDir + "\r\n");
    for (const char* name : {"_pel0001.tmp", "_pel0001.bak", "keep.tmp", "0001.bak"})
        testing::WriteBytes(tmpDir + "/" + name, "x");
    testing::WriteBytes(root / "0001.bak", "x");          // the working directory
    testing::WriteBytes(home / "out" / "0003.bak", "x");  // beside the shown draft
    testing::WriteBytes(home / "out" / "backup.bak", "x");
    TForm1& f = StartReady({});
    prompter.script = {Answer::Cancel};
    RunCommand(f, "Deletetempfiles2");
    EXPECT_EQ(prompter.asked.back(), "Deleting all temporary and backup files.");
    EXPECT_TRUE(fs::exists(tmpDir + "/_pel0001.tmp"));

    RunCommand(f, "Deletetempfiles2");  // untitled: only the temporary directory
    EXPECT_FALSE(fs::exists(tmpDir + "/_pel0001.tmp"));
    EXPECT_FALSE(fs::exists(tmpDir + "/_pel0001.bak"));
    EXPECT_TRUE(fs::exists(tmpDir + "/keep.tmp"));
    EXPECT_TRUE(fs::exists(tmpDir + "/0001.bak"));
    EXPECT_TRUE(fs::exists(root / "0001.bak"));

    f.OpenMailFile(draft.string());
    RunCommand(f, "Deletetempfiles2");
    EXPECT_FALSE(fs::exists(home / "out" / "0003.bak"));
    EXPECT_TRUE(fs::exists(home / "out" / "backup.bak"));
    EXPECT_TRUE(fs::exists(draft));
}

TEST_F(WorkingFilesTest, ADraftOpensWithTheCaretInTheBody) {
    TForm1& f = Start({draft.string()});
    EXPECT_EQ(f.SonEdit1().CaretY(), 3);  // two lines below the "--------" line
    EXPECT_EQ(f.SonEdit1().CaretX(), 0);
    EXPECT_FALSE(f.SonEdit1().Modified());
}

// The date goes in as an edit of the shown draft: the draft is changed, and one Undo
// gives the macro back.
TEST_F(WorkingFilesTest, ADispositionNotificationExpandsItsDateAsOneUndoableEdit) {
    const std::string macro =
        "X-Disposition-Notification: 1\r\nTo: c@example.jp\r\n--------\r\n\r\n"
        "Read at #DATETIME#yyyy-mm-dd hh:nn# here.\r\n";
    testing::WriteBytes(draft, macro);
    clock.now = std::chrono::sys_days{std::chrono::year{2026} / 12 / 7} + std::chrono::hours{1};
    TForm1& f = Start({draft.string()});
    EXPECT_EQ(f.SonEdit1().Text(),
              "X-Disposition-Notification: 1\r\nTo: c@example.jp\r\n--------\r\n\r\n"
              "Read at 2026-12-07 10:00 here.\r\n");
    EXPECT_TRUE(f.SonEdit1().Modified());
    int x = f.SonEdit1().CaretX(), y = f.SonEdit1().CaretY();
    f.SonEdit1().DisplayToLogical(x, y);
    EXPECT_EQ(y, 4);  // still in the body
    f.SonEdit1().Undo();
    EXPECT_EQ(f.SonEdit1().Text(), macro);
}

TEST_F(WorkingFilesTest, EditCommandsActOnTheEditor) {
    TForm1& f = Start({draft.string()});
    f.SonEdit1().SelectAll();
    RunCommand(f, "Cut1");
    EXPECT_EQ(clipboard.text, kDraft);
    EXPECT_EQ(f.SonEdit1().Text(), "");
    EXPECT_TRUE(view.enabled["Undo2"]);
    RunCommand(f, "Undo2");
    EXPECT_EQ(f.SonEdit1().Text(), kDraft);
    EXPECT_TRUE(view.enabled["Redo1"]);
    RunCommand(f, "Redo1");
    EXPECT_EQ(f.SonEdit1().Text(), "");
    RunCommand(f, "Paste1");
    EXPECT_EQ(f.SonEdit1().Text(), kDraft);
    // Viewer mode: copy and select all only.
    RunCommand(f, "ViewerMode1");
    RunCommand(f, "SelectAll1");
    RunCommand(f, "Cut1");
    RunCommand(f, "Paste1");
    EXPECT_EQ(f.SonEdit1().Text(), kDraft);
    clipboard.text.clear();
    RunCommand(f, "Copy1");
    EXPECT_EQ(clipboard.text, kDraft);
}

}  // namespace
}  // namespace varnel::app
