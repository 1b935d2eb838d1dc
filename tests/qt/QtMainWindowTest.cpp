// Offscreen smoke test: the window built on a mail file shows its title and its lines.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <filesystem>
#include <fstream>
#include <memory>

#include "app/CommandTable.h"
#include "app/TForm1.h"
#include "fakes/Fakes.h"
#include "qt/HunspellSpeller.h"
#include "qt/QtClock.h"
#include "qt/QtMainWindow.h"
#include "qt/QtSonEdit2.h"
#include "qt/QtTestApp.h"
#include "qt/QtTimer.h"

namespace varnel::qt {
namespace {

namespace fs = std::filesystem;

TEST(QtMainWindowTest, ShowsTitleAndLinesOfAMail) {
    EnsureQtApp();
    const fs::path dir = fs::temp_directory_path() / ("varnel-qt-" + std::to_string(::getpid()));
    fs::create_directories(dir / "Pelk" / "Inbox");
    const fs::path mail = dir / "Pelk" / "Inbox" / "0001.txt";
    std::ofstream(mail, std::ios::binary)
        << "X-Status: RECV\r\nSubject: \x83\x65\x83\x58\x83\x67\r\n\r\n\x96\x7b\x95\xb6\r\n";
    const fs::path ini = dir / "varnel32.ini";
    std::ofstream(ini, std::ios::binary) << "[View]\r\nViewerColor=255\r\nViewerFontSize=11\r\n";

    QtMainWindow window;
    fakes::ScriptedPrompter prompter;
    QtClock clock;
    fakes::RecordingChannel channel;
    fakes::RecordingWindows windows;
    fakes::RecordingLauncher launcher;
    QtTimer t1, t2, t3;
    app::TForm1Setup setup;
    setup.commandLine = app::ParseCommandLine({mail.string()});
    setup.settingsPath = ini.string();
    setup.executablePath = "/usr/bin/varnel32";
    setup.env = [](const std::string&) { return std::string(); };
    fakes::ScriptedFileDialog dialogs;
    app::TForm1 form({window, prompter, clock, channel, t1, t2, t3, windows, windows, launcher,
                      window.EditorMetrics(), window.EditorClipboard(), dialogs, window.Printer(),
                      window.PickList(), window.SpellWindow(), HunspellSpeller::Factory()},
                     std::move(setup));
    window.Bind(&form);
    form.ShowUp();
    window.show();

    EXPECT_EQ(window.windowTitle(), QStringLiteral("Varnel32 - Inbox  0001.txt"));
    const std::string text = window.TextView()->Core().Text();
    // The summary header of a received mail: the status line is not shown.
    EXPECT_EQ(text, "Subject: \x83\x65\x83\x58\x83\x67\r\n\r\n\x96\x7b\x95\xb6\r\n");
    EXPECT_TRUE(window.TextView()->Core().ReadOnly);
    // Viewer background as the stored 0x00BBGGRR colour (255 = red).
    EXPECT_EQ(window.TextView()->Look().Color, 255u);
    EXPECT_EQ(window.TextView()->Metrics().Font().pixelSize(), 16);  // 11 points, made even
    // Japanese captions by default.
    EXPECT_EQ(window.menuBar()->actions().at(0)->text(), QString::fromUtf8("ファイル(&F)"));

    // The viewer-mode command through the menu action switches to the editor look.
    auto* action = window.findChild<QAction*>(QStringLiteral("ViewerMode1"));
    ASSERT_NE(action, nullptr);
    EXPECT_TRUE(action->isChecked());
    action->trigger();
    EXPECT_FALSE(action->isChecked());
    EXPECT_TRUE(window.Ruler()->isVisibleTo(&window));  // Ruler 0: editor mode only

    // The widget edits the window core's own editor: typed text is asked about.
    EXPECT_EQ(&window.TextView()->Core(), &form.SonEdit1());
    QKeyEvent key(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
    QCoreApplication::sendEvent(window.TextView(), &key);
    EXPECT_TRUE(form.SonEdit1().Modified());
    prompter.script = {platform::Answer::Cancel};
    window.close();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(prompter.asked.size(), 1u);
    // New asks too; then Save on the untitled text opens Save As, and cancelling it
    // keeps the window open.
    prompter.script = {platform::Answer::No};
    window.findChild<QAction*>(QStringLiteral("New1"))->trigger();
    EXPECT_EQ(form.CurrentMailFile, "");
    QCoreApplication::sendEvent(window.TextView(), &key);
    prompter.script = {platform::Answer::Yes};
    window.close();
    EXPECT_TRUE(window.isVisible());
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_TRUE(dialogs.asked[0].save);
    // An open request asks as well: Cancel keeps the typed text.
    prompter.script = {platform::Answer::Cancel};
    form.DdeOpenMail(mail.string());
    EXPECT_EQ(form.CurrentMailFile, "");
    EXPECT_EQ(form.SonEdit1().Text(), "x");

    prompter.script = {platform::Answer::No};
    window.close();
    EXPECT_FALSE(window.isVisible());
    fs::remove_all(dir);
}

}  // namespace
}  // namespace varnel::qt
