// Offscreen: a double click on a URL in a shown mail starts the configured browser with
// that URL as one argument, straight from an argument vector.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "TempDir.h"
#include "app/TForm1.h"
#include "fakes/Fakes.h"
#include "qt/HunspellSpeller.h"
#include "qt/QtClock.h"
#include "qt/QtLauncher.h"
#include "qt/QtMainWindow.h"
#include "qt/QtSonEdit2.h"
#include "qt/QtTestApp.h"
#include "qt/QtTimer.h"

namespace varnel::qt {
namespace {

namespace fs = std::filesystem;

// The URL holds what a shell would act on; it must arrive as it stands.
constexpr char kUrl[] = "http://example.jp/a;b$(id)&c='d'*";

void DoubleClickAt(QtSonEdit2* edit, int line, int column) {
    const editor::TSonEdit2& e = edit->Core();
    const QPointF at(e.TextLeft() + column * e.CellWidth() + e.CellWidth() / 2.0,
                     e.TopMargin() + line * e.LinePitch() + e.LinePitch() / 2.0);
    QMouseEvent press(QEvent::MouseButtonPress, at, edit->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(edit->viewport(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, edit->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(edit->viewport(), &release);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, at, edit->mapToGlobal(at), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(edit->viewport(), &dbl);
}

TEST(QtLinkTest, DoubleClickOnUrlStartsTheBrowserWithThatUrlAsOneArgument) {
    EnsureQtApp();
    const fs::path dir =
        fs::temp_directory_path() / ("varnel-qtlink-" + std::to_string(::getpid()));
    fs::create_directories(dir / "Pelk" / "Inbox");
    const fs::path mail = dir / "Pelk" / "Inbox" / "0001.txt";
    std::ofstream(mail, std::ios::binary) << "X-Status: READ\r\nSubject: link\r\n\r\nsee " << kUrl
                                          << ". and http://other.example/\r\n";
    // The browser: a program that writes each argument on a line of its own, and its
    // parent's command name, so a shell between us and it would show.
    const fs::path log = dir / "argv.log";
    const fs::path browser = dir / "my browser";
    std::ofstream(browser) << "#!/usr/bin/env python3\nimport os, sys\n"
                              "with open(os.environ['LOGFILE'], 'w') as f:\n"
                              "    f.write('\\n'.join(sys.argv[1:]) + '\\n')\n";
    fs::permissions(browser, fs::perms::owner_all);
    ::setenv("LOGFILE", log.c_str(), 1);
    const fs::path ini = dir / "varnel32.ini";
    std::ofstream(ini, std::ios::binary)
        << "[Location]\r\nWebBrowserPath=\"" << browser.string() << "\"\r\n";

    QtMainWindow window;
    fakes::ScriptedPrompter prompter;
    QtClock clock;
    fakes::RecordingChannel channel;
    fakes::RecordingWindows windows;
    QtLauncher launcher;
    QtTimer t1, t2, t3;
    app::TForm1Setup setup;
    setup.commandLine = app::ParseCommandLine({mail.string()});
    setup.settingsPath = ini.string();
    setup.executablePath = "/usr/bin/varnel32";
    setup.env = [&](const std::string& n) {
        return n == "PELKHOME" ? (dir / "Pelk").string() : "";
    };
    fakes::ScriptedFileDialog dialogs;
    app::TForm1 form({window, prompter, clock, channel, t1, t2, t3, windows, windows, launcher,
                      window.EditorMetrics(), window.EditorClipboard(), dialogs, window.Printer(),
                      window.PickList(), window.SpellWindow(), HunspellSpeller::Factory()},
                     std::move(setup));
    window.Bind(&form);
    form.ShowUp();
    form.OnTimer1();  // the second phase reads WebBrowserPath
    window.resize(800, 600);
    window.show();
    QCoreApplication::processEvents();
    ASSERT_EQ(form.SonEdit1().Lines()[2].substr(0, 4), "see ");

    DoubleClickAt(window.TextView(), 2, 10);  // inside the first URL
    QElapsedTimer waited;
    waited.start();
    while (!fs::exists(log) && waited.elapsed() < 5000)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(testing::ReadAll(log),
              std::string(kUrl) + "\n");  // one argument, the full stop dropped
    EXPECT_TRUE(prompter.asked.empty());
    fs::remove_all(dir);
}

}  // namespace
}  // namespace varnel::qt
