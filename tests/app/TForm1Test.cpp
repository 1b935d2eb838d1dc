// The main window core driven through fakes: start-up phases, the dispatcher, the
// start counter, modes, and closing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "FormFakes.h"
#include "TempDir.h"
#include "app/CommandTable.h"
#include "app/IniFile.h"
#include "app/TForm1.h"
#include "fakes/Fakes.h"

namespace varnel::app {
namespace {

namespace fs = std::filesystem;

// A mailer home with an inbox, an out folder and a temporary directory, a settings
// file, and a window core wired to fakes.
class TForm1Test : public ::testing::Test, protected testing::FormFakes {
  protected:
    void SetUp() override {
        home = root / "Pelk";
        inMail = home / "In" / "0001.txt";
        testing::WriteBytes(
            inMail,
            "X-Status: RECV\r\nFrom: a@example.jp\r\nSubject: \x83\x65\x83\x58\x83\x67\r\n"
            "\r\n\x96\x7b\x95\xb6\r\n");
        outMail = home / "out" / "0002.txt";
        testing::WriteBytes(outMail, "To: b@example.jp\r\n--------\r\nbody\r\n");
        draft = root / "tmp" / "_pel0001.tmp";
        testing::WriteBytes(draft, "To: c@example.jp\r\n--------\r\n\r\ndraft\r\n");
        ini = root / "config" / "varnel32.ini";
        env["PELKHOME"] = home.string();
        env["HOME"] = (root / "userhome").string();
    }
    TForm1& Start(std::vector<std::string> params) {
        form = StartForm(params, ini.string(), root.string(), env);
        return *form;
    }
    std::string IniValue(const std::string& section, const std::string& key) {
        return IniFile(ini.string()).ReadString(section, key, "<absent>");
    }

    testing::TempDir tmp;
    fs::path root{tmp.path()}, home, inMail, outMail, draft, ini;
    std::map<std::string, std::string> env;
    std::unique_ptr<TForm1> form;
};

TEST_F(TForm1Test, StartOnMailShowsItsLinesAndTitle) {
    TForm1& f = Start({inMail.string()});
    EXPECT_EQ(f.CurrentMailFile, inMail.string());
    EXPECT_EQ(view.title, "Varnel32 - In  0001.txt");
    // The summary header: From, Subject, then the body.
    ASSERT_EQ(Shown().size(), 4u);
    EXPECT_EQ(Shown()[0], "From: a@example.jp");
    EXPECT_EQ(Shown()[1], "Subject: \x83\x65\x83\x58\x83\x67");  // CP932 bytes kept
    EXPECT_EQ(Shown()[3], "\x96\x7b\x95\xb6");
    EXPECT_TRUE(f.SonEdit1().ReadOnly);
    EXPECT_TRUE(f.HomeReadOnly);
    EXPECT_TRUE(view.checked["ViewerMode1"]);
    EXPECT_EQ(f.OpenPrefix, "[open(\"");
    EXPECT_EQ(f.MailerHome, home.string() + "/");
    EXPECT_EQ(view.appearance.background, 12632256u);  // silver viewer background
    EXPECT_FALSE(fs::exists(ini));                     // opening writes no settings file
}

TEST_F(TForm1Test, InitialModeFollowsSwitchAndFolder) {
    struct Case {
        std::vector<std::string> params;
        bool readOnly;
    };
    const Case cases[] = {
        {{outMail.string()}, false},
        {{"/v", outMail.string()}, false},
        {{"/e", outMail.string()}, true},
        {{inMail.string()}, true},
    };
    for (const auto& c : cases) {
        TForm1& f = Start(c.params);
        EXPECT_EQ(f.SonEdit1().ReadOnly, c.readOnly) << c.params[0];
        EXPECT_EQ(view.appearance.readOnly, c.readOnly) << c.params[0];
    }
    // "/e" also gives the editing icon.
    Start({"/e", inMail.string()});
    EXPECT_EQ(view.icon, platform::WindowIcon::Editing);
}

TEST_F(TForm1Test, RelativeNameWithBlanksIsRebuilt) {
    const fs::path spaced = home / "My Box" / "0003.txt";
    testing::WriteBytes(spaced, "Subject: x\r\n\r\nbody\r\n");
    TForm1& f = Start({"/v", "Pelk/My", "Box/0003.txt"});
    EXPECT_EQ(f.CurrentMailFile, spaced.string());
    EXPECT_EQ(view.title, "Varnel32 - My Box  0003.txt");
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
}

TEST_F(TForm1Test, MissingFileIsReported) {
    Start({(home / "In" / "0099.txt").string()});
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_NE(prompter.asked[0].find("0099.txt"), std::string::npos);
    EXPECT_EQ(view.title, "Varnel32 - [Untitled]");
}

TEST_F(TForm1Test, DispatcherRunsTheSecondPhaseOnceThenFocuses) {
    testing::WriteBytes(ini, "[View]\r\nTimer=250\r\n");
    TForm1& f = Start({inMail.string()});
    EXPECT_TRUE(channel.sent.empty());  // the mail is marked read on the first tick
    EXPECT_EQ(timer1.interval, 250);
    ASSERT_TRUE(timer1.Tick());
    EXPECT_EQ(channel.sent.size(), 1u);  // the update after marking the mail read
    channel.sent.clear();
    EXPECT_FALSE(f.Deferred().StartupPhase);
    EXPECT_FALSE(timer1.enabled);
    EXPECT_EQ(f.MailerExe, home.string() + "/pelkmail");
    EXPECT_EQ(f.TrashCanFile, home.string() + "/trash.can");
    EXPECT_EQ(IniValue("Window", "InvokeCount"), "1");
    EXPECT_TRUE(channel.sent.empty());

    // Something re-arms the timer: the next tick sends the focus command, and the second
    // phase does not run again.
    timer1.SetEnabled(true);
    ASSERT_TRUE(timer1.Tick());
    ASSERT_EQ(channel.sent.size(), 1u);
    EXPECT_EQ(channel.sent[0].service, "Pelk");
    EXPECT_EQ(channel.sent[0].topic, "Command");
    EXPECT_EQ(channel.sent[0].macro, "[Focus(" + (home / "In").string() + ".fld,0001)]");
    EXPECT_EQ(IniValue("Window", "InvokeCount"), "1");

    // A pending "NeedsUpdate" in stepping mode 0 sends the update, then a focus follows.
    f.Deferred().PendingFocusFile = "NeedsUpdate";
    timer1.SetEnabled(true);
    timer1.Tick();
    timer1.Tick();
    EXPECT_EQ(channel.Macros(),
              (std::vector<std::string>{"[Focus(" + (home / "In").string() + ".fld,0001)]",
                                        "[Update(" + (home / "In").string() + ".fld,0001)]",
                                        "[Focus(" + (home / "In").string() + ".fld,0001)]"}));
}

TEST_F(TForm1Test, InvitationOnTheThousandthStartOnly) {
    testing::WriteBytes(ini, "; my settings\r\n[Window]\r\nInvokeCount=999\r\n");
    Start({inMail.string()});
    timer1.Tick();
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0], "Varnelの作者はあなたの感想を待っています");
    EXPECT_EQ(IniValue("Window", "InvokeCount"), "1000");
    EXPECT_EQ(testing::ReadAll(ini).rfind("; my settings\r\n", 0),
              0u);  // the rest of the file kept

    prompter.asked.clear();
    Start({inMail.string()});
    timer1.Tick();
    EXPECT_TRUE(prompter.asked.empty());
    EXPECT_EQ(IniValue("Window", "InvokeCount"), "1001");

    testing::WriteBytes(ini, "[View]\r\nEnglishMenu=1\r\n[Window]\r\nInvokeCount=999\r\n");
    Start({});
    timer1.Tick();
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0], "Varnel author is waiting for your mail.");
}

TEST_F(TForm1Test, ComposeFileTakesEditWidthAndIgnoresOpenRequests) {
    testing::WriteBytes(
        ini, "[Window]\r\nLeft=30\r\nTop=40\r\nWidth=800\r\nHeight=500\r\nEditWidth=520\r\n");
    TForm1& f = Start({draft.string()});
    EXPECT_EQ(f.OpenPrefix, "dummy");
    EXPECT_EQ(view.placement.left, 30);
    EXPECT_EQ(view.placement.top, 40);
    EXPECT_EQ(view.placement.width, 520);
    EXPECT_EQ(view.placement.height, 500);
    EXPECT_EQ(view.icon, platform::WindowIcon::Editing);
    // A draft in the temporary directory says nothing about the mailer's home.
    EXPECT_EQ(f.MailerHome, "");
}

TEST_F(TForm1Test, ReplyConfirmWaitsForTheMailer) {
    testing::WriteBytes(ini, "[View]\r\nReplyConfirm=1\r\nEnglishMenu=1\r\n");
    Start({draft.string()});
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0], "Pelk is now preparing mail ....");
    prompter.asked.clear();
    Start({inMail.string()});
    EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(TForm1Test, CloseWritesPlacementAndSaveAsDir) {
    testing::WriteBytes(ini, "[Location]\r\nSaveAsDir=/home/u/saved\r\n");
    Start({inMail.string()});
    timer1.Tick();  // the second phase reads SaveAsDir
    view.placement = {11, 22, 633, 444};
    ASSERT_TRUE(form->FormCloseQuery());
    form->FormClose();
    EXPECT_EQ(IniValue("Window", "Left"), "11");
    EXPECT_EQ(IniValue("Window", "Top"), "22");
    EXPECT_EQ(IniValue("Window", "Height"), "444");
    EXPECT_EQ(IniValue("Window", "Width"), "633");
    EXPECT_EQ(IniValue("Window", "EditWidth"), "<absent>");
    EXPECT_EQ(IniValue("Location", "SaveAsDir"), "/home/u/saved");

    // A compose window stores its width as EditWidth; the viewer width stays.
    Start({draft.string()});
    view.placement = {1, 2, 410, 300};
    form->FormClose();
    EXPECT_EQ(IniValue("Window", "EditWidth"), "410");
    EXPECT_EQ(IniValue("Window", "Width"), "633");
    // Closed before the second phase: SaveAsDir was never read and stays as stored.
    EXPECT_EQ(IniValue("Location", "SaveAsDir"), "/home/u/saved");

    // A maximised window keeps the stored placement.
    Start({inMail.string()});
    view.state = platform::WindowState::Maximized;
    view.placement = {0, 0, 1920, 1080};
    form->FormClose();
    EXPECT_EQ(IniValue("Window", "Width"), "633");
    EXPECT_EQ(IniValue("Window", "Left"), "1");
}

TEST_F(TForm1Test, CloseQueryOnModifiedText) {
    testing::WriteBytes(ini, "[View]\r\nEnglishMenu=1\r\n");
    TForm1& f = Start({draft.string()});
    f.SonEdit1().SetModified(true);

    prompter.script = {platform::Answer::Cancel};
    EXPECT_FALSE(f.FormCloseQuery());
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].rfind("Save _pel0001.tmp ?  The file will be lost", 0), 0u);

    // Yes with a save that fails keeps the window open.
    prompter.asked.clear();
    prompter.script = {platform::Answer::Yes, platform::Answer::Ok};
    EXPECT_FALSE(f.FormCloseQuery());
    EXPECT_FALSE(f.SaveSucceeded);

    prompter.script = {platform::Answer::No};
    EXPECT_TRUE(f.FormCloseQuery());

    f.CloseWithoutAsking = true;
    prompter.asked.clear();
    EXPECT_TRUE(f.FormCloseQuery());
    EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(TForm1Test, ExitCommandAsksTheWindowToClose) {
    TForm1& f = Start({inMail.string()});
    ASSERT_TRUE(RunCommand(f, "Exit1"));
    EXPECT_EQ(view.closeRequests, 1);
    EXPECT_FALSE(RunCommand(f, "NoSuchCommand1"));
}

TEST_F(TForm1Test, ViewerModeToggle) {
    testing::WriteBytes(ini,
                        "[View]\r\nViewerColor=255\r\nEditorColor=65280\r\nRuler=0\r\n"
                        "[Edit]\r\nAutoSave=1\r\n");
    TForm1& f = Start({inMail.string()});
    timer1.Tick();
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

TEST_F(TForm1Test, MenuCaptionsFollowEnglishMenu) {
    Start({});
    EXPECT_EQ(view.captions["Exit1"], "終了(&X)");
    EXPECT_EQ(view.captions["File1"], "ファイル(&F)");
    testing::WriteBytes(ini, "[View]\r\nEnglishMenu=1\r\n");
    Start({});
    EXPECT_EQ(view.captions["Exit1"], "E&xit");
    EXPECT_EQ(view.captions["ViewerMode1"], "&Viewer mode");
}

TEST_F(TForm1Test, Timer2BringsTheWindowToTheFrontOnce) {
    Start({inMail.string()});
    EXPECT_EQ(timer2.interval, 800);
    EXPECT_TRUE(timer2.enabled);
    EXPECT_TRUE(timer2.Tick());
    EXPECT_EQ(view.broughtToFront, 1);
    EXPECT_FALSE(timer2.Tick());
}

}  // namespace
}  // namespace varnel::app
