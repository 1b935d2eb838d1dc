// Opening mail in the window: the decoded display, the file marked read through a safe
// write, the alert colour, drafts, and the requests recorded on the command channel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "FormTest.h"
#include "app/MailDump.h"

namespace varnel::app {
namespace {

namespace fs = std::filesystem;

const std::string kRecv =
    "X-Status: RECV\r\n"
    "Received: from mx by mail; Sun, 06 Dec 2026 09:00:05 +0900\r\n"
    "Date: Sun, 06 Dec 2026 09:00:00 +0900\r\n"
    "From: boss@example.jp\r\n"
    "To: a@example.jp, b@example.jp\r\n"
    "Subject: \x8E\x8A\x8B\x7D\r\n"  // 至急
    "\r\n"
    "body\r\n";

class OpenMailFileTest : public testing::FormTest {
  protected:
    void SetUp() override { mail = Put("In/0005.txt", kRecv); }
    TForm1& Start(const fs::path& file, const std::string& settings = "") {
        WriteSettings(settings);
        return FormTest::Start({file.string()});
    }

    fs::path mail;
};

TEST_F(OpenMailFileTest, ReceivedMailIsShownMarkedReadAndReported) {
    TForm1& f = Start(mail);
    EXPECT_EQ(Shown(),
              (std::vector<std::string>{
                  "Date: Sun, 06 Dec 2026 09:00:00 +0900", "To: a@example.jp,", "    b@example.jp",
                  "From: boss@example.jp", "Subject: \x8E\x8A\x8B\x7D", "", "body"}));
    // Marked read on the next tick, after the first paint; the update follows the write.
    EXPECT_EQ(testing::ReadAll(mail), kRecv);
    EXPECT_TRUE(channel.Macros().empty());
    EXPECT_TRUE(timer1.enabled);
    ASSERT_TRUE(timer1.Tick());
    std::string expected = kRecv;
    expected.replace(0, 14, "X-Status: READ");
    EXPECT_EQ(testing::ReadAll(mail), expected);
    EXPECT_EQ(channel.Macros(), (std::vector<std::string>{Ref("Update", "In", "0005")}));
    EXPECT_EQ(f.MailNumber, 5);
    EXPECT_EQ(f.HeaderLineCount, 6u);
    EXPECT_FALSE(f.RepliedFlag);
    EXPECT_TRUE(prompter.asked.empty());
    EXPECT_EQ(std::distance(fs::directory_iterator(home / "In"), fs::directory_iterator()), 1);

    // Opened again: nothing left to change, the file keeps its bytes.
    channel.sent.clear();
    f.OpenMailFile(mail.string());
    EXPECT_EQ(testing::ReadAll(mail), expected);
}

// The held mark-read is never lost: stepping on or closing before the tick writes it
// first; a mail the mailer changed or moved meanwhile is left as the mailer left it.
TEST_F(OpenMailFileTest, AHeldMarkReadIsWrittenBeforeTheMailGoes) {
    const fs::path other = Put("In/0006.txt", kRecv);
    std::string read = kRecv;
    read.replace(0, 14, "X-Status: READ");
    TForm1& f = Start(mail);
    f.OpenMailFile(other.string());
    EXPECT_EQ(testing::ReadAll(mail), read);
    EXPECT_EQ(testing::ReadAll(other), kRecv);
    f.FormClose();
    EXPECT_EQ(testing::ReadAll(other), read);

    const std::string byMailer = kRecv + "more\r\n";
    testing::WriteBytes(mail, kRecv);
    f.OpenMailFile(mail.string());
    testing::WriteBytes(mail, byMailer);
    timer1.Tick();
    EXPECT_EQ(testing::ReadAll(mail), byMailer);
    f.OpenMailFile(mail.string());
    fs::remove(mail);
    timer1.Tick();
    EXPECT_FALSE(fs::exists(mail));
}

TEST_F(OpenMailFileTest, SettingsChooseTheModeAndTheAlertColour) {
    Start(mail,
          "[View]\r\nShowTo=0\r\n[Alert]\r\nAlertString1=nomatch\r\n"
          "AlertString2=boss@\r\nAlertString3=\x8E\x8A\x8B\x7D\r\n");
    EXPECT_EQ(Shown().front(), "Date: Sun, 06 Dec 2026 09:00:00 +0900");
    EXPECT_EQ(Shown()[1], "From: boss@example.jp");
    EXPECT_EQ(view.appearance.background, 16711935u);  // AlertColor2

    fs::remove(mail);
    testing::WriteBytes(mail, kRecv);
    Start(mail, "[View]\r\nHeader=1\r\n");
    EXPECT_EQ(Shown().front(), "X-Status: RECV");  // as stored
    EXPECT_EQ(Shown().size(), 8u);
    EXPECT_EQ(view.appearance.background, 12632256u);  // no alert: the viewer colour
}

TEST_F(OpenMailFileTest, AFailedWriteIsReportedAndTheMailKept) {
    Start(mail);
    testing::UnderFileSizeLimit(1, [this] { return timer1.Tick(); });
    EXPECT_EQ(testing::ReadAll(mail), kRecv);
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_NE(prompter.asked[0].find("0005.txt"), std::string::npos) << prompter.asked[0];
    EXPECT_EQ(Shown().back(), "body");  // the mail is shown all the same
    EXPECT_EQ(std::distance(fs::directory_iterator(home / "In"), fs::directory_iterator()), 1);
}

TEST_F(OpenMailFileTest, AWriteProtectedMailIsLeftAloneAndReportedOnce) {
    ::chmod(mail.c_str(), 0444);
    TForm1& f = Start(mail, "[View]\r\nEnglishMenu=1\r\n");
    f.OpenMailFile(mail.string());
    EXPECT_EQ(testing::ReadAll(mail), kRecv);
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_NE(prompter.asked[0].find("write-protected"), std::string::npos) << prompter.asked[0];
    EXPECT_EQ(Shown().back(), "body");
}

// Open failures say why, and a file over the size limit is not read at all.
TEST_F(OpenMailFileTest, OpenFailuresSayWhyAndKeepTheShownMail) {
    TForm1& f = Start(mail, "[View]\r\nEnglishMenu=1\r\nMaxOpenSize=1\r\n");
    timer1.Tick();
    const std::string shown = testing::ReadAll(mail);
    const fs::path dir = home / "In" / "0006.txt";
    fs::create_directory(dir);
    const fs::path big = home / "In" / "0007.txt";
    testing::WriteBytes(big, kRecv + std::string(1024 * 1024, 'x'));
    const struct {
        fs::path file;
        std::vector<std::string> said;
    } cases[] = {
        {dir, {"Error in mail open procedure", "0006.txt", "Is a directory"}},
        {big, {"0007.txt (2 MB > 1 MB)", "too large", "MaxOpenSize", "--dump"}},
    };
    for (const auto& c : cases) {
        prompter.asked.clear();
        f.OpenMailFile(c.file.string());
        ASSERT_EQ(prompter.asked.size(), 1u) << c.file;
        for (const std::string& part : c.said)
            EXPECT_NE(prompter.asked[0].find(part), std::string::npos) << prompter.asked[0];
        EXPECT_EQ(f.CurrentMailFile, mail.string());
    }
    EXPECT_EQ(testing::ReadAll(big).substr(0, 14), "X-Status: RECV");
    EXPECT_EQ(testing::ReadAll(mail), shown);
}

bool Shows(const std::vector<std::string>& lines, std::string_view prefix) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& l) { return l.starts_with(prefix); });
}

TEST_F(OpenMailFileTest, HeaderToggleCyclesTheModesOfTheShownMail) {
    TForm1& f = Start(mail, "[View]\r\nShowTo=0\r\n");
    struct Step {
        bool recipients, full;
    } steps[] = {{true, false}, {true, true}, {false, false}, {true, false}};
    EXPECT_FALSE(Shows(Shown(), "To:"));
    for (const Step& s : steps) {
        ASSERT_TRUE(RunCommand(f, "Header1"));
        EXPECT_EQ(Shows(Shown(), "To:"), s.recipients);
        EXPECT_EQ(Shown().front() == "X-Status: READ", s.full);
        EXPECT_EQ(view.checked["Header1"], s.full);
    }
    EXPECT_TRUE(prompter.asked.empty());  // unmodified text: nothing to ask
}

TEST_F(OpenMailFileTest, HeaderToggleFirstShowsRecipientsHiddenByMaxTo) {
    TForm1& f = Start(mail, "[View]\r\nMaxTo=1\r\n");
    EXPECT_FALSE(Shows(Shown(), "To:"));
    RunCommand(f, "Header1");  // ShowTo is on already: the hidden recipients appear
    EXPECT_TRUE(Shows(Shown(), "To:"));
    EXPECT_FALSE(f.CurrentSettings().view.Header);
    EXPECT_FALSE(f.RecipientOverride);  // used by that one open only
    RunCommand(f, "Header1");
    EXPECT_EQ(Shown().front(), "X-Status: READ");

    // A file that is no mail of the mailer is left alone.
    const fs::path notes = root / "notes.txt";
    testing::WriteBytes(notes, "From: a\r\n\r\nx\r\n");
    f.OpenMailFile(notes.string());
    const auto shown = Shown();
    RunCommand(f, "Header1");
    EXPECT_EQ(Shown(), shown);
}

TEST_F(OpenMailFileTest, DecodeHandsTheJisTextToTheViewerAndCleansUp) {
    TForm1& f = Start(mail, "[Location]\r\nTesraExe=\"/opt/tesra/view\" --jis\r\n");
    ASSERT_TRUE(RunCommand(f, "Decode1"));  // Cancel on a modified text: NavigationTest
    ASSERT_EQ(launcher.started.size(), 1u);
    const auto& argv = launcher.started[0];
    ASSERT_EQ(argv.size(), 3u);
    EXPECT_EQ(argv[0], "/opt/tesra/view");
    EXPECT_EQ(argv[1], "--jis");
    const fs::path jis = argv[2];
    EXPECT_EQ(jis.filename(), "_varnel.jis");
    EXPECT_EQ(testing::ReadAll(jis).rfind("X-Status: READ\r\n", 0), 0u);
    EXPECT_EQ(fs::status(jis.parent_path()).permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_EQ(Shown().front(), "X-Status: READ");
    EXPECT_TRUE(f.SonEdit1().ReadOnly);  // the JIS text is for reading
    EXPECT_TRUE(prompter.asked.empty());

    // Zenkaku does nothing over a selection; the same directory serves every command.
    f.SonEdit1().SelectAll();
    RunCommand(f, "DecodeZenkaku1");
    EXPECT_EQ(launcher.started.size(), 1u);
    f.SonEdit1().Deselect();
    RunCommand(f, "DecodeZenkaku1");
    ASSERT_EQ(launcher.started.size(), 2u);
    EXPECT_EQ(launcher.started[1][2], jis.string());

    // A viewer that does not start is reported.
    launcher.succeed = false;
    RunCommand(f, "Decode1");
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_NE(prompter.asked[0].find("cannot start"), std::string::npos) << prompter.asked[0];

    form.reset();  // the window goes: so do the file and its directory
    EXPECT_FALSE(fs::exists(jis.parent_path()));
}

TEST_F(OpenMailFileTest, DecodeWithoutAViewerAndItsFailures) {
    // No viewer set is no failure: nothing is said, and the decoded mail shows as lines.
    const fs::path raw = Put("out/0005.txt",
                             "Subject: b\r\nContent-Transfer-Encoding: base64\r\n\r\n"
                             "b25lDQp0d28NCnRocmVlDQo=\r\n");
    TForm1& d = Start(raw);
    RunCommand(d, "Decode1");
    EXPECT_EQ(Shown(), (std::vector<std::string>{"X-Status: READ", "Subject: b",
                                                 "Content-Transfer-Encoding: base64", "--------",
                                                 "one", "two", "three"}));
    EXPECT_TRUE(d.SonEdit1().ReadOnly);
    EXPECT_TRUE(prompter.asked.empty());
    EXPECT_TRUE(launcher.started.empty());

    // A viewer setting that cannot be read is told.
    TForm1& f = Start(mail, "[Location]\r\nTesraExe='view\r\n");
    RunCommand(f, "Decode1");
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_NE(prompter.asked[0].find("TesraExe"), std::string::npos);
    EXPECT_TRUE(launcher.started.empty());
    form.reset();
    prompter.asked.clear();

    // No private directory can be made: said so, nothing started.
    const char* old = std::getenv("TMPDIR");
    const std::string saved = old ? old : "";
    ::setenv("TMPDIR", (root / "missing").c_str(), 1);
    TForm1& g = Start(mail, "[Location]\r\nTesraExe=view\r\n");
    RunCommand(g, "Decode1");
    if (old)
        ::setenv("TMPDIR", saved.c_str(), 1);
    else
        ::unsetenv("TMPDIR");
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_NE(prompter.asked[0].find("missing"), std::string::npos) << prompter.asked[0];
    EXPECT_TRUE(launcher.started.empty());
}

TEST_F(OpenMailFileTest, DraftsAreLoadedForEditing) {
    const fs::path draft = root / "tmp" / "_pel0001.tmp";
    const std::string tail = "--inner\r\nContent-Type: image/png\r\n\r\niVBOR\r\n--inner--\r\n";
    const std::string text =
        "X-Forward: nofwdhtml\r\nTo: c@example.jp\r\nX-Mailer: m\r\n----------\r\n\r\nhello\r\n"
        "Content-Type: message/rfc822\r\n\r\nContent-Type: multipart/mixed; boundary=inner\r\n"
        "\r\n--inner\r\n\r\nfirst part\r\n";
    testing::WriteBytes(draft, text + tail);
    TForm1& f = Start(draft, "[View]\r\nDeleteHeader=X-Mailer:\r\n");
    ASSERT_GE(Shown().size(), 4u);
    EXPECT_EQ(Shown()[0], "To: c@example.jp");
    EXPECT_EQ(Shown()[1], "----------");
    EXPECT_EQ(Shown().back(), "first part");
    EXPECT_EQ(f.ForwardTail, tail);
    EXPECT_EQ(f.DraftCaretLine, 3u);
    EXPECT_EQ(testing::ReadAll(draft), text + tail);  // a draft is never written on opening
    EXPECT_TRUE(channel.sent.empty());                // not a mailer mail file
}

TEST_F(OpenMailFileTest, DumpPrintsTheChosenModeAndWritesNothing) {
    std::ostringstream out, err;
    Settings s;
    s.view.ShowTo = false;
    EXPECT_EQ(DumpMailFile(mail.string(), s, clock, out, err), 0);
    EXPECT_EQ(out.str().find("To:"), std::string::npos);
    EXPECT_EQ(out.str().rfind("Date: Sun, 06 Dec 2026 09:00:00 +0900\nFrom: boss@example.jp\n", 0),
              0u);
    out.str("");
    s.view.Header = true;
    EXPECT_EQ(DumpMailFile(mail.string(), s, clock, out, err), 0);
    EXPECT_EQ(out.str().rfind("X-Status: RECV\nReceived:", 0), 0u);
    EXPECT_EQ(testing::ReadAll(mail), kRecv);
}

}  // namespace
}  // namespace varnel::app
