// Offscreen smoke test: the window built on a mail file shows its title and its lines.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>

#include "TempDir.h"
#include "qt/QtFormHarness.h"
#include "qt/QtSonEdit2.h"

namespace varnel::qt {
namespace {

TEST(QtMainWindowTest, ShowsTitleAndLinesOfAMail) {
    testing::TempDir dir;
    const std::string mail = dir.Write(
        "Pelk/Inbox/0001.txt",
        "X-Status: RECV\r\nSubject: \x83\x65\x83\x58\x83\x67\r\n\r\n\x96\x7b\x95\xb6\r\n");
    QtFormHarness h;
    h.StartForm({mail},
                dir.Write("varnel32.ini", "[View]\r\nViewerColor=255\r\nViewerFontSize=11\r\n"));
    QtMainWindow& window = h.window;
    app::TForm1& form = *h.form;
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
    h.prompter.script = {platform::Answer::Cancel};
    window.close();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(h.prompter.asked.size(), 1u);
    // New asks too; then Save on the untitled text opens Save As, and cancelling it
    // keeps the window open.
    h.prompter.script = {platform::Answer::No};
    window.findChild<QAction*>(QStringLiteral("New1"))->trigger();
    EXPECT_EQ(form.CurrentMailFile, "");
    QCoreApplication::sendEvent(window.TextView(), &key);
    h.prompter.script = {platform::Answer::Yes};
    window.close();
    EXPECT_TRUE(window.isVisible());
    ASSERT_EQ(h.dialogs.asked.size(), 1u);
    EXPECT_TRUE(h.dialogs.asked[0].save);
    // An open request asks as well: Cancel keeps the typed text.
    h.prompter.script = {platform::Answer::Cancel};
    form.DdeOpenMail(mail);
    EXPECT_EQ(form.CurrentMailFile, "");
    EXPECT_EQ(form.SonEdit1().Text(), "x");

    h.prompter.script = {platform::Answer::No};
    window.close();
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace varnel::qt
