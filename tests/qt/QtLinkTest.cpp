// Offscreen: a double click on a URL in a shown mail starts the configured browser with
// that URL as one argument, straight from an argument vector.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <filesystem>
#include <thread>

#include "TempDir.h"
#include "qt/QtFormHarness.h"
#include "qt/QtLauncher.h"
#include "qt/QtSonEdit2.h"

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
    testing::TempDir dir;
    const std::string mail =
        dir.Write("Pelk/Inbox/0001.txt", "X-Status: READ\r\nSubject: link\r\n\r\nsee " +
                                             std::string(kUrl) + ". and http://other.example/\r\n");
    // The browser: a program that writes each argument on a line of its own, so a shell
    // between us and it would show.
    const std::string log = dir / "argv.log";
    const fs::path browser = dir.Write("my browser",
                                       "#!/usr/bin/env python3\nimport os, sys\n"
                                       "with open(os.environ['LOGFILE'], 'w') as f:\n"
                                       "    f.write('\\n'.join(sys.argv[1:]) + '\\n')\n");
    fs::permissions(browser, fs::perms::owner_all);
    ::setenv("LOGFILE", log.c_str(), 1);
    QtFormHarness h;
    QtLauncher launcher;
    h.realLauncher = &launcher;
    const std::string home = dir / "Pelk";
    h.StartForm(
        {mail},
        dir.Write("varnel32.ini", "[Location]\r\nWebBrowserPath=\"" + browser.string() + "\"\r\n"),
        [home](const std::string& n) { return n == "PELKHOME" ? home : std::string(); });
    h.form->OnTimer1();  // the second phase reads WebBrowserPath
    h.window.resize(800, 600);
    h.window.show();
    QCoreApplication::processEvents();
    ASSERT_EQ(h.form->SonEdit1().Lines()[2].substr(0, 4), "see ");

    DoubleClickAt(h.window.TextView(), 2, 10);  // inside the first URL
    QElapsedTimer waited;
    waited.start();
    while (!fs::exists(log) && waited.elapsed() < 5000)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(testing::ReadAll(log),
              std::string(kUrl) + "\n");  // one argument, the full stop dropped
    EXPECT_TRUE(h.prompter.asked.empty());
}

}  // namespace
}  // namespace varnel::qt
