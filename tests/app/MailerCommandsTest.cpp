// The main window's mailer commands, open requests and folder notices, driven through
// fakes and ticked by hand.
#include <gtest/gtest.h>

#include "FormTest.h"
#include "link/MailerDriver.h"

namespace varnel::app {
namespace {

const std::string kThread = "title:" + std::string(link::kMailerThreadTitle);
const std::string kMain = "class:" + std::string(link::kMailerMainClass);

// Three read mails in In; stepping through the mailer's list.
class MailerCommandsTest : public testing::FormTest {
  protected:
    void SetUp() override {
        const std::string read = "X-Status: READ\r\nSubject: s\r\n\r\nbody\r\n";
        mail1 = Put("In/0001.txt", read);
        mail2 = Put("In/0002.txt", read);
        mail3 = Put("In/0003.txt", read);
        inFld = (home / "In").string() + ".fld";
        WriteSettings("[View]\r\nEnglishMenu=1\r\nNextMailMode=1\r\n");
        env["HOME"] = (root / "home").string();
    }
    TForm1& Start(const std::string& file) {
        StartReady({file});
        form->TrashCanFile = (home / "trash.can").string();
        return *form;
    }

    std::string mail1, mail2, mail3, inFld;
};

TEST_F(MailerCommandsTest, MailerListCommandsQueueKeysForTheNextTick) {
    TForm1& f = Start(mail1);
    windows.existing = {kThread, kMain};
    timer1.SetEnabled(false);
    ASSERT_TRUE(RunCommand(f, "Next2"));
    EXPECT_EQ(f.NavigationDirection, 1);
    EXPECT_TRUE(f.Deferred().PendingKeys);
    EXPECT_EQ(f.Deferred().PendingKeysText, "{DOWN}{ENTER}");
    EXPECT_TRUE(timer1.enabled);
    EXPECT_TRUE(channel.sent.empty());  // the thread window takes it: no view command
    timer1.Tick();
    ASSERT_EQ(windows.keys.size(), 1u);
    EXPECT_EQ(windows.keys[0].first, kThread);
    EXPECT_EQ(windows.keys[0].second.size(), 4u);  // Down, Enter: down and up each
    EXPECT_FALSE(f.Deferred().PendingKeys);

    timer2.SetEnabled(false);
    f.NextFolder1Click();
    EXPECT_EQ(f.Deferred().PendingKeysText, "%(F)E{ENTER}");
    EXPECT_TRUE(timer2.enabled);  // Varnel comes back to the front afterwards

    windows.existing.clear();
    f.Prev2Click();
    EXPECT_EQ(f.NavigationDirection, -1);
    EXPECT_EQ(channel.Macros(), std::vector<std::string>{"[View(\"Prev\")]"});
    EXPECT_TRUE(prompter.asked.empty());
    f.Thread1Click();  // no main window, nothing else to send: the user hears of it
    EXPECT_EQ(prompter.asked.size(), 1u);
}

TEST_F(MailerCommandsTest, OpenRequestsOpenAfterTheAnswerAndKeepTheCase) {
    TForm1& f = Start(mail1);
    const auto r = f.OnServerExecute("[OPEN(\"" + mail3 + "\")]");
    EXPECT_TRUE(r.accepted);
    EXPECT_EQ(f.CurrentMailFile, mail1);  // nothing happens before the answer has gone
    ASSERT_TRUE(r.afterAnswer);
    r.afterAnswer();
    EXPECT_EQ(f.CurrentMailFile, mail3);
    for (const std::string& bad : std::vector<std::string>{
             "[open(\"", "[open(\"\")]", "[Focus(" + inFld + ",0001)]", "[command(\"Nope1\")]",
             "[command(\"Header1 \")]", "[command(\"\")]"})
        EXPECT_FALSE(f.OnServerExecute(bad).accepted) << bad;
    // A window command through the channel runs from the command table, after the answer.
    const bool header = f.CurrentSettings().view.Header;
    const auto c = f.OnServerExecute("[Command(\"Header1\")]");
    ASSERT_TRUE(c.accepted);
    EXPECT_EQ(f.CurrentSettings().view.Header, header);
    c.afterAnswer();
    EXPECT_NE(f.CurrentSettings().view.Header, header);
}

// Requests for missing files each show an error box. A request that comes in while a
// box is open (its loop serves the channel) is not opened inside it but after it, and
// only the newest of those waiting is opened.
TEST_F(MailerCommandsTest, OpenRequestsWaitTheirTurnAndTheNewestWins) {
    TForm1& f = Start(mail1);
    int depth = 0, deepest = 0;
    bool flooded = false;
    prompter.whileOpen = [&] {
        deepest = std::max(deepest, ++depth);
        if (!flooded) {
            flooded = true;
            for (const std::string& next :
                 {root.string() + "/gone1", root.string() + "/gone2", mail3})
                f.OnServerExecute("[open(\"" + next + "\")]").afterAnswer();
        }
        --depth;
    };
    f.OnServerExecute("[open(\"" + root.string() + "/missing\")]").afterAnswer();
    EXPECT_EQ(deepest, 1);
    EXPECT_EQ(prompter.asked.size(), 1u);  // only the first request's box
    EXPECT_EQ(f.CurrentMailFile, mail3);
}

TEST_F(MailerCommandsTest, FolderNoticesQueueInsteadOfOverwriting) {
    TForm1& f = Start(mail3);
    timer1.SetEnabled(false);
    f.QueueFolderNotice("Move", mail1);
    f.QueueFolderNotice("Move", mail2);  // used to overwrite the first: mail 1 was lost
    EXPECT_TRUE(f.Deferred().AwaitsFolderCommand(mail1));
    EXPECT_TRUE(f.Deferred().AwaitsFolderCommand(mail2));
    for (int i = 0; i < 8 && timer1.Tick(); ++i) {
    }
    const std::string trash = f.TrashCanFile;
    EXPECT_EQ(channel.Macros(), (std::vector<std::string>{
                                    "[Move(" + trash + "," + inFld + ",0001)]",
                                    "[Focus(" + inFld + ",0003)]",  // NextMailMode 1
                                    "[Move(" + trash + "," + inFld + ",0002)]",
                                    "[Focus(" + inFld + ",0003)]",
                                    "[Focus(" + inFld + ",0003)]",
                                }));
    EXPECT_TRUE(f.Deferred().PendingFocusFile.empty());
}

TEST_F(MailerCommandsTest, ANoticeThatCannotBeSentDoesNotBlockTheFocusCommand) {
    TForm1& f = Start(mail3);
    timer1.SetEnabled(false);
    channel.result = platform::Delivery::NoServer;
    f.QueueFolderNotice("Move", mail1);
    f.QueueFolderNotice("Copy", (home / "In" / "0009.txt").string());  // gone
    for (int i = 0; i < 6 && timer1.Tick(); ++i) {
    }
    ASSERT_EQ(prompter.asked.size(), 1u);  // the Move was not delivered: the user hears
    EXPECT_NE(prompter.asked[0].find("[Move("), std::string::npos);
    EXPECT_TRUE(f.Deferred().PendingFocusFile.empty());
    EXPECT_TRUE(f.Deferred().WaitingFolderNotices.empty());
    EXPECT_EQ(channel.Macros().back(), "[Focus(" + inFld + ",0003)]");
}

TEST_F(MailerCommandsTest, AddressBookStepWaitsForAJustStartedAddressBook) {
    TForm1& f = Start(mail1);
    timer1.SetEnabled(false);
    channel.result = platform::Delivery::NoServer;
    f.Deferred().AddressBookPending = true;
    f.Deferred().AddressBookText = "Taro <taro@example.jp>";
    timer1.SetEnabled(true);
    for (int i = 0; i < 30 && timer1.Tick(); ++i) {
    }
    EXPECT_FALSE(f.Deferred().AddressBookPending);
    EXPECT_EQ(prompter.asked.size(), 1u);  // once, after the last try
    int appends = 0;
    for (const auto& s : channel.sent)
        appends += s.service == "Alias" && s.macro == "[Append(\"Taro <taro@example.jp>\")]";
    EXPECT_EQ(appends, 10);
}

TEST_F(MailerCommandsTest, CompanionLinkAndReceive) {
    TForm1& f = Start(mail1);
    windows.existing = {"class:TfrmPILVO1Main"};
    f.Pilvo1Search1Click();
    EXPECT_EQ(f.CurrentSettings().view.NextMailMode, 2);
    EXPECT_EQ(channel.sent.back().service, "Pilvo1");
    EXPECT_EQ(channel.sent.back().macro, "[Focus(\"" + inFld + "\",0001)]");
    f.Receive1Click();
    EXPECT_EQ(channel.sent.back().macro, "[Receive]");

    // A companion that cannot be started leaves the stepping mode and its marks alone.
    ASSERT_TRUE(RunCommand(f, "PelkSearch1"));
    windows.existing.clear();
    launcher.succeed = false;
    view.checked["Pilvo1Search1"] = true;  // the menu item flips its own mark
    f.Pilvo1Search1Click();
    EXPECT_EQ(f.CurrentSettings().view.NextMailMode, 1);
    EXPECT_FALSE(view.checked["Pilvo1Search1"]);
    EXPECT_TRUE(view.checked["PelkSearch1"]);
}

}  // namespace
}  // namespace varnel::app
