// varnel32-window: the main window, built from the Qt adapters and the core's TForm1.
// varnel32 starts it in its own place for the window, naming itself first.
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <csignal>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/Environment.h"
#include "app/ProgramStart.h"
#include "app/SettingsLocation.h"
#include "app/StartFile.h"
#include "app/TForm1.h"
#include "link/ChannelWindows.h"
#include "link/OpenRequest.h"
#include "link/RuntimeDir.h"
#include "link/UnixCommandChannel.h"
#include "mail/MailNames.h"
#include "platform/CommandChannel.h"
#include "qt/HunspellSpeller.h"
#include "qt/QtClock.h"
#include "qt/QtCommandServer.h"
#include "qt/QtFileDialog.h"
#include "qt/QtFindDialog.h"
#include "qt/QtLauncher.h"
#include "qt/QtMainWindow.h"
#include "qt/QtOptionsDialog.h"
#include "qt/QtPrompter.h"
#include "qt/QtScreenshot.h"
#include "qt/QtTimer.h"

namespace {

using namespace varnel;

// Used when the private runtime directory cannot be had: the window still works as a
// viewer, and every command reports that no mailer could be reached.
class NoMailerChannel : public platform::CommandChannel {
  public:
    platform::Delivery Execute(const std::string&, const std::string&,
                               const std::string&) override {
        return platform::Delivery::NoServer;
    }
};

// SIGTERM, SIGINT and SIGHUP end the event loop, so that the window's server socket is
// removed as at any other exit.
int g_signalPipe[2] = {-1, -1};

void OnQuitSignal(int) {
    const char c = 1;
    [[maybe_unused]] const auto n = ::write(g_signalPipe[1], &c, 1);
}

std::unique_ptr<QSocketNotifier> QuitOnSignals() {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalPipe) != 0)
        return nullptr;
    auto notifier = std::make_unique<QSocketNotifier>(g_signalPipe[0], QSocketNotifier::Read);
    QObject::connect(notifier.get(), &QSocketNotifier::activated, [] { QApplication::quit(); });
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        std::signal(sig, OnQuitSignal);
    return notifier;
}

int RunWindow(int argc, char** argv, const app::CommandLine& cl, const app::EnvLookup& env,
              const std::string& program) {
    QApplication application(argc, argv);

    qt::QtMainWindow window;
    qt::QtPrompter prompter(&window);
    qt::QtClock clock;
    qt::QtTimer timer1, timer2, timer3;
    std::string runtimeError, runtimeNotice;
    const std::optional<std::string> runtimeDir =
        link::OpenRuntimeDir(runtimeError, &runtimeNotice);
    std::unique_ptr<platform::CommandChannel> channel;
    if (runtimeDir) {
        channel = std::make_unique<link::UnixCommandChannel>(*runtimeDir);
    } else {
        std::cerr << "varnel32: no command channel to the mailer: " << runtimeError << "\n";
        channel = std::make_unique<NoMailerChannel>();
    }

    app::TForm1Setup setup;
    setup.commandLine = cl;
    setup.settingsPath = app::LocateSettingsFile(env, mail::DirectoryOf(program)).file;
    setup.executablePath = program;
    setup.workingDirectory = app::CurrentWorkingDirectory();
    setup.env = env;

    // The mailer's windows answer over the channel; so do the keys sent to them.
    link::ChannelWindows windows(*channel, {"Pelk", "Pilvo1"});
    qt::QtLauncher launcher;
    qt::QtFileDialog dialogs(&window);
    qt::QtFindDialog findDialog(&window);
    qt::QtOptionsDialog options(&window);

    app::TForm1 form({window, prompter, clock, *channel, timer1, timer2, timer3, windows, windows,
                      launcher, window.EditorMetrics(), window.EditorClipboard(), dialogs,
                      window.Printer(), window.PickList(), window.SpellWindow(),
                      qt::HunspellSpeller::Factory(), &findDialog, &options},
                     std::move(setup));
    window.Bind(&form);
    prompter.SetEnglish([&form] { return form.CurrentSettings().view.EnglishMenu; });
    form.ShowUp();

    // Only a viewer window takes open requests, and a second viewer leaves the socket to
    // the first one.
    std::unique_ptr<qt::QtCommandServer> server;
    if (runtimeDir && form.OpenPrefix == link::kViewerOpenPrefix) {
        server = std::make_unique<qt::QtCommandServer>(
            *runtimeDir, "Varnel32", "system",
            [&form](const std::string& macro) { return form.OnServerExecute(macro); });
        std::string error;
        if (server->Listen(error) == link::UnixCommandServer::ListenResult::Failed) {
            std::cerr << "varnel32: open requests cannot be taken: " << error << "\n";
            runtimeError = error;
        }
        if (!server->Notice().empty())
            runtimeNotice = server->Notice();
    }
    const auto quitOnSignals = QuitOnSignals();
    window.show();
    // A channel that cannot be used, or one others could tamper with, is told once in
    // the window, with what to do about it.
    const std::string problem = link::ChannelProblemText(runtimeError, runtimeNotice,
                                                         form.CurrentSettings().view.EnglishMenu);
    if (!problem.empty()) {
        QTimer::singleShot(0, &window, [&prompter, problem] {
            prompter.Tell(problem, platform::Severity::Warning);
        });
    }
    qt::ArmScreenshot(window);
    const int status = application.exec();
    form.WritePendingMarkRead(true);  // ended by a signal before the mail was marked read
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    // The front program's path comes first when varnel32 started this one; it stands for
    // the program the user ran. Started on its own, this program is that program.
    std::vector<std::string> params = app::ParamsOf(argc, argv);
    std::string program = app::TakeFrontProgram(params);
    std::vector<char*> args(argv, argv + argc);
    if (!program.empty())
        args.erase(args.begin() + 1, args.begin() + 3);
    else
        program = app::RunningExecutablePath(argc > 0 ? argv[0] : nullptr);
    int count = static_cast<int>(args.size());
    args.push_back(nullptr);

    const app::CommandLine cl = app::ParseCommandLine(app::WithoutToolkitOptions(params));
    const app::EnvLookup env = app::ProcessEnvironment();
    if (const auto status = app::AnswerWithoutWindow(cl, env, mail::DirectoryOf(program)))
        return *status;
    return RunWindow(count, args.data(), cl, env, program);
}
