// End to end: the stand-in mailer and Varnel windows on a copy of the sample store,
// talking over the command channel in a private runtime directory.
#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

#include "EndToEndSupport.h"
#include "app/CommandTable.h"
#include "app/TForm1.h"
#include "fakes/Fakes.h"
#include "link/ChannelWindows.h"
#include "link/UnixCommandChannel.h"
#include "qt/QtClock.h"
#include "qt/QtCommandServer.h"
#include "qt/QtMainWindow.h"
#include "qt/QtTimer.h"

namespace varnel::e2e {
namespace {

using platform::Delivery;

QApplication& App() {
    static int argc = 1;
    static char name[] = "test_e2e";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

void Pump() {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// A viewer window built as varnel32 builds it, inside the test so that its commands
// can be run; a scripted prompter stands in for message boxes.
class Viewer {
  public:
    Viewer(const Store& s, const std::string& file)
        : channel(s.runtime, 2000), windows(channel, {"Pelk", "Pilvo1"}) {
        app::TForm1Setup setup;
        setup.commandLine = app::ParseCommandLine({file});
        setup.settingsPath = s.home + "/varnel32.ini";
        setup.executablePath = VARNEL_BIN_DIR "/varnel32";
        setup.workingDirectory = s.root;
        setup.env = [&s](const std::string& n) {
            return n == "PELKHOME" ? s.home : n == "HOME" ? s.root : std::string();
        };
        form = std::make_unique<app::TForm1>(
            app::TForm1Services{window, prompter, clock, channel, t1, t2, t3, windows, windows,
                                launcher, window.EditorMetrics(), window.EditorClipboard(),
                                dialogs},
            std::move(setup));
        window.Bind(form.get());
        form->ShowUp();
        server = std::make_unique<qt::QtCommandServer>(
            s.runtime, "Varnel32", "system",
            [this](const std::string& m) { return form->OnServerExecute(m); });
        std::string error;
        listening = server->Listen(error) == link::UnixCommandServer::ListenResult::Listening;
    }

    link::UnixCommandChannel channel;
    link::ChannelWindows windows;
    qt::QtMainWindow window;
    fakes::ScriptedPrompter prompter;
    fakes::RecordingLauncher launcher;
    fakes::ScriptedFileDialog dialogs;
    qt::QtClock clock;
    qt::QtTimer t1, t2, t3;
    std::unique_ptr<app::TForm1> form;
    std::unique_ptr<qt::QtCommandServer> server;
    bool listening = false;
};

class EndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        App();
        // Stepping through the mailer's list; English messages.
        std::ofstream(s.home + "/varnel32.ini", std::ios::binary)
            << "[View]\r\nEnglishMenu=1\r\nNextMailMode=1\r\nTimer=100\r\n";
    }
    Store s;
};

TEST_F(EndToEnd, OpeningAMailTellsTheMailerUpdateThenFocus) {
    ASSERT_TRUE(s.StartMailer());
    ASSERT_GT(s.StartViewer(s.Mail("in", "0001")), 0);
    ASSERT_TRUE(WaitFor([&] { return fs::exists(s.runtime + "/varnel32.system"); }, 10000));
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));  // the second phase

    // The mailer asks the viewer to open a mail (as after a view request).
    link::UnixCommandChannel channel(s.runtime, 2000);
    const std::string mail = s.Mail("in", "0008");
    EXPECT_EQ(channel.Execute("Varnel32", "system", "[open(\"" + mail + "\")]"),
              Delivery::Delivered);
    const std::string update = "[Update(" + s.Index("in") + ",0008)]";
    const std::string focus = "[Focus(" + s.Index("in") + ",0008)]";
    ASSERT_TRUE(WaitFor([&] { return s.Find(focus, std::max(0, s.Find(update))) > 0; }, 5000))
        << ReadFile(s.log);
    EXPECT_LT(s.Find(update), s.Find(focus));
    // A second viewer does not take over the first one's socket.
    const pid_t second = s.StartViewer(s.Mail("in", "0002"));
    std::this_thread::sleep_for(std::chrono::milliseconds(800));
    EXPECT_EQ(channel.Execute("Varnel32", "system", "[open(\"" + s.Mail("in", "0003") + "\")]"),
              Delivery::Delivered);
    Stop(second);
    EXPECT_TRUE(fs::exists(s.runtime + "/varnel32.system"));  // still the first one's
}

TEST_F(EndToEnd, NextThroughTheMailerAndAReplyDraftInItsOwnComposeWindow) {
    ASSERT_TRUE(s.StartMailer({"--windows", "main,thread"}));
    Viewer v(s, s.Mail("in", "0003"));
    ASSERT_TRUE(v.listening);
    WaitFor([] { return false; }, 800, Pump);  // the second start-up phase

    // Next through the mailer: the keys go to its thread window on the next tick, the
    // mailer answers with an open request for the following mail.
    ASSERT_TRUE(app::RunCommand(*v.form, "Next2"));
    EXPECT_TRUE(
        WaitFor([&] { return v.form->CurrentMailFile == s.Mail("in", "0004"); }, 5000, Pump))
        << v.form->CurrentMailFile << "\n"
        << ReadFile(s.log);
    EXPECT_TRUE(
        WaitFor([&] { return s.Find("[Update(" + s.Index("in") + ",0004)]") >= 0; }, 3000, Pump));

    // Without its thread window the mailer is driven by the view command.
    ASSERT_EQ(v.channel.Execute("Pelk", "Windows",
                                "[Keys(\"class\",\"PeLk:MaIn\",\"12d 20d 20u 12u 43d 43u\")]"),
              Delivery::Delivered);  // Alt+Space, C on the main window: nothing to close
    ASSERT_TRUE(app::RunCommand(*v.form, "CloseThread1"));
    WaitFor([] { return false; }, 300, Pump);
    ASSERT_TRUE(app::RunCommand(*v.form, "Next2"));
    EXPECT_TRUE(
        WaitFor([&] { return v.form->CurrentMailFile == s.Mail("in", "0005"); }, 5000, Pump))
        << ReadFile(s.log);
    EXPECT_GE(s.Find("[View(\"Next\")]"), 0);

    // Reply: the reply command and then the update, a draft in out/, and a compose
    // window started on it, which tells the mailer about the draft it shows.
    const int from = static_cast<int>(s.LogLines().size());
    v.form->SendReplyCommand();
    const std::string reply = "[Reply(" + s.Index("in") + ",0005)]";
    const std::string update = "[Update(" + s.Index("in") + ",0005)]";
    ASSERT_GE(s.Find(reply, from), 0) << ReadFile(s.log);
    EXPECT_GT(s.Find(update, s.Find(reply, from)), s.Find(reply, from));
    std::string draft;
    ASSERT_TRUE(WaitFor(
        [&] {
            for (const auto& l : s.LogLines()) {
                if (l.starts_with("# draft "))
                    draft = l.substr(8);
            }
            return !draft.empty();
        },
        3000, Pump));
    const std::string number = draft.substr(draft.size() - 8, 4);
    EXPECT_TRUE(
        WaitFor([&] { return s.Find("[Update(" + s.Index("out") + "," + number + ")]") >= 0; },
                10000, Pump))
        << ReadFile(s.log);
    ASSERT_FALSE(s.ViewersStartedByMailer().empty());

    // The compose window takes no open request: with the viewer gone, nobody listens.
    v.server.reset();
    link::UnixCommandChannel channel(s.runtime, 1000);
    EXPECT_EQ(channel.Execute("Varnel32", "system", "[open(\"" + s.Mail("in", "0001") + "\")]"),
              Delivery::NoServer);
    for (pid_t p : s.ViewersStartedByMailer())
        Stop(p);
}

}  // namespace
}  // namespace varnel::e2e
