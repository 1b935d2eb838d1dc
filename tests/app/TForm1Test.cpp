// The main window core driven through fakes: start-up phases, the dispatcher, the
// start counter, modes, and closing.
#include <gtest/gtest.h>

#include "FormTest.h"
#include "app/IniFile.h"

namespace varnel::app {
namespace {

namespace fs = std::filesystem;

// An inbox mail, an out-folder draft and a compose file in a temporary directory.
class TForm1Test : public testing::FormTest {
  protected:
    void SetUp() override {
        inMail = Put("In/0001.txt",
                     "X-Status: RECV\r\nFrom: a@example.jp\r\nSubject: \x83\x65\x83\x58\x83\x67\r\n"
                     "\r\n\x96\x7b\x95\xb6\r\n");
        outMail = Put("out/0002.txt", "To: b@example.jp\r\n--------\r\nbody\r\n");
        draft = (root / "tmp" / "_pel0001.tmp").string();
        testing::WriteBytes(draft, "To: c@example.jp\r\n--------\r\n\r\ndraft\r\n");
        ini = root / "config" / "varnel32.ini";
        env["HOME"] = (root / "userhome").string();
    }
    std::string IniValue(const std::string& section, const std::string& key) {
        return IniFile(ini.string()).ReadString(section, key, "<absent>");
    }

    std::string inMail, outMail, draft;
};

TEST_F(TForm1Test, StartOnMailShowsItsLines) {
    TForm1& f = Start({inMail});  // its name and title: InitialModeFollowsSwitchAndFolder
    // The summary header: From, Subject (CP932 bytes kept), then the body.
    EXPECT_EQ(Shown(),
              (std::vector<std::string>{"From: a@example.jp", "Subject: \x83\x65\x83\x58\x83\x67",
                                        "", "\x96\x7b\x95\xb6"}));
    EXPECT_TRUE(f.HomeReadOnly);
    EXPECT_EQ(f.OpenPrefix, "[open(\"");
    EXPECT_EQ(f.MailerHome, home.string() + "/");
    EXPECT_EQ(view.appearance.background, 12632256u);  // silver viewer background
    EXPECT_FALSE(fs::exists(ini));                     // opening writes no settings file
}

TEST_F(TForm1Test, InitialModeFollowsSwitchAndFolder) {
    const fs::path spaced = home / "My Box" / "0003.txt";
    testing::WriteBytes(spaced, "Subject: x\r\n\r\nbody\r\n");
    using platform::WindowIcon;
    const struct {
        std::vector<std::string> params;
        bool readOnly;
        WindowIcon icon;
        std::string file, title;
    } cases[] = {
        {{outMail}, false, WindowIcon::Editing, outMail, "out  0002.txt"},
        {{"/v", outMail}, false, WindowIcon::Editing, outMail, "out  0002.txt"},
        {{"/e", outMail}, true, WindowIcon::Editing, outMail, "out  0002.txt"},
        {{inMail}, true, WindowIcon::Default, inMail, "In  0001.txt"},
        {{"/e", inMail}, true, WindowIcon::Editing, inMail, "In  0001.txt"},
        // A relative name with blanks given unquoted is rebuilt.
        {{"/v", "Pelk/My", "Box/0003.txt"},
         true,
         WindowIcon::Default,
         spaced.string(),
         "My Box  0003.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.params.back());
        TForm1& f = Start(c.params);
        EXPECT_EQ(f.SonEdit1().ReadOnly, c.readOnly);
        EXPECT_EQ(view.appearance.readOnly, c.readOnly);
        EXPECT_EQ(view.checked["ViewerMode1"], c.readOnly);
        EXPECT_EQ(view.icon, c.icon);
        EXPECT_EQ(f.CurrentMailFile, c.file);
        EXPECT_EQ(view.title, "Varnel32 - " + c.title);
    }
}

TEST_F(TForm1Test, NoFileGivesUntitledAndTheSecondPhaseStillRuns) {
    TForm1& f = Start({});
    EXPECT_EQ(view.title, "Varnel32 - [Untitled]");
    EXPECT_EQ(view.showTextCalls, 0);
    EXPECT_TRUE(f.Deferred().StartupPhase);
    EXPECT_TRUE(timer1.enabled);
    EXPECT_EQ(timer1.interval, 400);
    timer1.Tick();
    EXPECT_FALSE(f.Deferred().StartupPhase);
    EXPECT_EQ(f.NavigationDirection, 1);
    EXPECT_EQ(IniValue("Window", "InvokeCount"), "1");

    Start({(home / "In" / "0099.txt").string()});  // a missing file is reported
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_NE(prompter.asked[0].find("0099.txt"), std::string::npos);
    EXPECT_EQ(view.title, "Varnel32 - [Untitled]");
}

TEST_F(TForm1Test, DispatcherRunsTheSecondPhaseOnceThenFocuses) {
    testing::WriteBytes(ini, "[View]\r\nTimer=250\r\n");
    TForm1& f = Start({inMail});
    EXPECT_TRUE(channel.sent.empty());  // the mail is marked read on the first tick
    EXPECT_EQ(timer1.interval, 250);
    ASSERT_TRUE(timer1.Tick());
    EXPECT_EQ(channel.sent.size(), 1u);  // the update after marking the mail read
    channel.sent.clear();
    EXPECT_FALSE(f.Deferred().StartupPhase);
    EXPECT_FALSE(timer1.enabled);
    EXPECT_EQ(f.MailerExe, home.string() + "/pelkmail");
    EXPECT_EQ(f.TrashCanFile, home.string() + "/trash.can");

    // Something re-arms the timer: the next tick sends the focus command, and the second
    // phase does not run again.
    timer1.SetEnabled(true);
    ASSERT_TRUE(timer1.Tick());
    ASSERT_EQ(channel.sent.size(), 1u);
    EXPECT_EQ(channel.sent[0].service, "Pelk");
    EXPECT_EQ(channel.sent[0].topic, "Command");
    EXPECT_EQ(channel.sent[0].macro, Ref("Focus", "In", "0001"));
    EXPECT_EQ(IniValue("Window", "InvokeCount"), "1");
}

TEST_F(TForm1Test, InvitationOnTheThousandthStartOnly) {
    const struct {
        std::string settings;  // "" keeps the file of the run before
        std::string asked, count;
    } runs[] = {
        {"; my settings\r\n[Window]\r\nInvokeCount=999\r\n",
         "Varnelの作者はあなたの感想を待っています", "1000"},
        {"", "", "1001"},
        {"; my settings\r\n[View]\r\nEnglishMenu=1\r\n[Window]\r\nInvokeCount=999\r\n",
         "Varnel author is waiting for your mail.", "1000"},
    };
    for (const auto& r : runs) {
        if (!r.settings.empty())
            testing::WriteBytes(ini, r.settings);
        prompter.asked.clear();
        StartReady({inMail});
        EXPECT_EQ(prompter.asked,
                  r.asked.empty() ? std::vector<std::string>{} : std::vector{r.asked});
        EXPECT_EQ(IniValue("Window", "InvokeCount"), r.count);
        EXPECT_TRUE(Ini().starts_with("; my settings\r\n"));  // the rest of the file kept
    }
}

TEST_F(TForm1Test, ComposeFileTakesEditWidthAndIgnoresOpenRequests) {
    testing::WriteBytes(ini,
                        "[Window]\r\nLeft=30\r\nTop=40\r\nWidth=800\r\nHeight=500\r\n"
                        "EditWidth=520\r\n[View]\r\nReplyConfirm=1\r\nEnglishMenu=1\r\n");
    TForm1& f = Start({draft});
    EXPECT_EQ(f.OpenPrefix, "dummy");
    EXPECT_FALSE(f.OnServerExecute("[open(\"" + inMail + "\")]").accepted);
    EXPECT_FALSE(f.OnServerExecute("dummy" + inMail + "\")]").accepted);
    EXPECT_EQ(f.CurrentMailFile, draft);
    EXPECT_EQ(view.placement.left, 30);
    EXPECT_EQ(view.placement.top, 40);
    EXPECT_EQ(view.placement.width, 520);
    EXPECT_EQ(view.placement.height, 500);
    EXPECT_EQ(view.icon, platform::WindowIcon::Editing);
    // A draft in the temporary directory says nothing about the mailer's home.
    EXPECT_EQ(f.MailerHome, "");
    // ReplyConfirm: a compose file waits for the mailer, a mail does not.
    EXPECT_EQ(prompter.asked, std::vector<std::string>{"Pelk is now preparing mail ...."});
    prompter.asked.clear();
    Start({inMail});
    EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(TForm1Test, CloseWritesPlacementAndSaveAsDir) {
    testing::WriteBytes(ini, "[Location]\r\nSaveAsDir=/home/u/saved\r\n");
    StartReady({inMail});                  // the second phase reads SaveAsDir
    view.placement = {-11, 22, 633, 444};  // left of the primary screen
    ASSERT_TRUE(form->FormCloseQuery());
    form->FormClose();
    EXPECT_EQ(IniValue("Window", "Left"), "-11");
    EXPECT_EQ(IniValue("Window", "Top"), "22");
    EXPECT_EQ(IniValue("Window", "Height"), "444");
    EXPECT_EQ(IniValue("Window", "Width"), "633");
    EXPECT_EQ(IniValue("Window", "EditWidth"), "<absent>");
    EXPECT_EQ(IniValue("Location", "SaveAsDir"), "/home/u/saved");

    // A compose window stores its width as EditWidth; the viewer width stays.
    Start({draft});
    view.placement = {1, 2, 410, 300};
    form->FormClose();
    EXPECT_EQ(IniValue("Window", "EditWidth"), "410");
    EXPECT_EQ(IniValue("Window", "Width"), "633");
    // Closed before the second phase: SaveAsDir was never read and stays as stored.
    EXPECT_EQ(IniValue("Location", "SaveAsDir"), "/home/u/saved");

    // A maximised or minimised window keeps the stored placement.
    for (const auto state : {platform::WindowState::Maximized, platform::WindowState::Minimized}) {
        Start({outMail});
        view.state = state;
        view.placement = {0, 0, 1920, 1080};
        form->FormClose();
        EXPECT_EQ(IniValue("Window", "EditWidth"), "410");
        EXPECT_EQ(IniValue("Window", "Left"), "1");
    }
}

TEST_F(TForm1Test, CloseQueryOnModifiedText) {
    testing::WriteBytes(ini, "[View]\r\nEnglishMenu=1\r\n");
    TForm1& f = Start({draft});
    f.SonEdit1().SetModified(true);

    prompter.script = {platform::Answer::Cancel};
    EXPECT_FALSE(f.FormCloseQuery());
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].rfind("Save _pel0001.tmp ?  The file will be lost", 0), 0u);

    // Yes with a save that fails keeps the window open.
    prompter.script = {platform::Answer::Yes, platform::Answer::Ok};
    EXPECT_FALSE(f.FormCloseQuery());
    EXPECT_FALSE(f.SaveSucceeded);

    prompter.script = {platform::Answer::No};
    EXPECT_TRUE(f.FormCloseQuery());

    f.CloseWithoutAsking = true;
    prompter.asked.clear();
    EXPECT_TRUE(f.FormCloseQuery());
    EXPECT_TRUE(prompter.asked.empty());

    ASSERT_TRUE(RunCommand(f, "Exit1"));  // Exit asks the window to close
    EXPECT_EQ(view.closeRequests, 1);
    EXPECT_FALSE(RunCommand(f, "NoSuchCommand1"));
}

TEST_F(TForm1Test, ViewerModeToggle) {
    testing::WriteBytes(ini,
                        "[View]\r\nViewerColor=255\r\nEditorColor=65280\r\nRuler=0\r\n"
                        "[Edit]\r\nAutoSave=1\r\n");
    TForm1& f = StartReady({inMail});
    EXPECT_EQ(view.appearance.background, 255u);
    EXPECT_FALSE(view.appearance.rulerVisible);

    f.SonEdit1().SetModified(true);
    ASSERT_TRUE(RunCommand(f, "ViewerMode1"));
    EXPECT_FALSE(f.SonEdit1().ReadOnly);
    EXPECT_FALSE(f.HomeReadOnly);
    EXPECT_FALSE(view.checked["ViewerMode1"]);
    EXPECT_EQ(view.appearance.background, 65280u);
    EXPECT_TRUE(view.appearance.rulerVisible);
    EXPECT_TRUE(timer3.enabled);  // editor mode, modified, AutoSave on
    EXPECT_EQ(timer3.interval, 5 * 60000);

    f.ViewerMode1Click();
    EXPECT_TRUE(f.SonEdit1().ReadOnly);
    EXPECT_TRUE(view.checked["ViewerMode1"]);
    EXPECT_FALSE(timer3.enabled);
}

TEST_F(TForm1Test, Timer2BringsTheWindowToTheFrontOnce) {
    Start({inMail});
    EXPECT_EQ(timer2.interval, 800);
    EXPECT_TRUE(timer2.Tick());
    EXPECT_EQ(view.broughtToFront, 1);
    EXPECT_FALSE(timer2.Tick());
}

}  // namespace
}  // namespace varnel::app
