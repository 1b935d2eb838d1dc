// Offscreen: the window's keys, the find and replace dialog and the options dialog, as a
// user reaches them. Keys from the settings file and the paging defaults run their
// commands; Ctrl+F and Ctrl+H open the dialog, whose search finds across a soft line
// break; the options dialog changes one line of the settings file and the window shows
// it at once.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "TempDir.h"
#include "app/TForm1.h"
#include "fakes/Fakes.h"
#include "qt/QtFindDialog.h"
#include "qt/QtFormHarness.h"
#include "qt/QtOptionsDialog.h"
#include "qt/QtPrompter.h"
#include "qt/QtSonEdit2.h"

namespace varnel::qt {
namespace {

namespace fs = std::filesystem;

using varnel::testing::ReadAll;

// A viewer window on a long mail, with F5 = Header, F6 = ViewerMode, F9 = PelkNext and
// the default paging keys, its second start-up phase done.
class QtCommandKeysTest : public ::testing::Test, protected QtFormHarness {
  protected:
    void SetUp() override {
        std::string body;
        for (int i = 0; i < 200; ++i)
            body += "line " + std::to_string(i) + "\r\n";
        const std::string mail =
            dir.Write("Pelk/Inbox/0001.txt",
                      "X-Status: READ\r\nSubject: s\r\nTo: a@example.jp\r\n\r\n" + body);
        ini = dir.Write("varnel32.ini", settings);
        StartForm({mail}, ini, {}, &findDialog, &options);
        window.resize(600, 400);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        ASSERT_TRUE(QTest::qWaitFor([this] { return !form->Deferred().StartupPhase; }));
        window.TextView()->setFocus();
    }
    void TearDown() override {
        findDialog.close();
        form.reset();
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &window;
        QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
    }
    editor::TSonEdit2& Edit() { return form->SonEdit1(); }

    std::string settings =
        "[View]\r\nEnglishMenu=1\r\nTimer=10\r\nViewerColor=12632256\r\n"
        "[Key]\r\nHeader=116\r\nViewerMode=117\r\nPelkNext=120\r\n";
    testing::TempDir dir;
    fs::path ini;
    QtFindDialog findDialog{&window};
    QtOptionsDialog options{&window};
};

TEST_F(QtCommandKeysTest, KeysFromTheSettingsAndThePagingDefaultsRunTheirCommands) {
    ASSERT_GT(Edit().VisibleLines(), 3);
    auto header = [this] { return form->CurrentSettings().view.Header; };
    const struct {
        const char* what;
        int key;
        Qt::KeyboardModifiers modifiers;
        std::function<bool()> ran;
    } steps[] = {
        {"F5 Header", Qt::Key_F5, Qt::NoModifier, [&] { return header(); }},
        {"F5 Header again", Qt::Key_F5, Qt::NoModifier, [&] { return !header(); }},
        {"Space pages down", Qt::Key_Space, Qt::NoModifier,
         [&] { return Edit().TopLine() == Edit().VisibleLines() - 1; }},
        {"Backspace pages up", Qt::Key_Backspace, Qt::NoModifier,
         [&] { return Edit().TopLine() == 0; }},
        {"F9 PelkNext", Qt::Key_F9, Qt::NoModifier, [&] { return !channel.sent.empty(); }},
        {"Enter replies to all", Qt::Key_Return, Qt::NoModifier,
         [&] {
             return QTest::qWaitFor([&] {
                 for (const std::string& m : channel.Macros())
                     if (m.starts_with("[Reply("))
                         return true;
                 return false;
             });
         }},
        {"F6 ViewerMode", Qt::Key_F6, Qt::NoModifier, [&] { return !Edit().ReadOnly; }},
        // In editor mode Space is a blank again.
        {"Space types", Qt::Key_Space, Qt::NoModifier,
         [&] { return Edit().Modified() && Edit().TopLine() == 0; }},
    };
    for (const auto& s : steps) {
        Key(s.key, s.modifiers);
        EXPECT_TRUE(s.ran()) << s.what;
    }
    EXPECT_NE(window.findChild<QAction*>(QStringLiteral("Header1"))->shortcuts().size(), 0);
}

TEST_F(QtCommandKeysTest, FindAndReplaceAcrossASoftLineBreak) {
    Edit().SetText("aaaaaaaNEEdle aaaa needle\r\n");
    Edit().SetAutoWrap(true);
    Edit().SetColumn(10);  // "NEEdle" is cut by the wrap after "NEE"
    Edit().CaretToTop();
    Key(Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(findDialog.isVisible());
    EXPECT_TRUE(window.findChild<QAction*>(QStringLiteral("Delete1"))->shortcuts().isEmpty());
    findDialog.findChild<QLineEdit*>(QStringLiteral("FindText"))->setText(QStringLiteral("needle"));
    findDialog.findChild<QPushButton*>(QStringLiteral("FindNext"))->click();
    EXPECT_EQ(Edit().GetSelText(), "NEEdle");
    findDialog.findChild<QPushButton*>(QStringLiteral("Close"))->click();
    EXPECT_FALSE(findDialog.isVisible());
    EXPECT_FALSE(window.findChild<QAction*>(QStringLiteral("Delete1"))->shortcuts().isEmpty());
    EXPECT_NE(ReadAll(ini).find("[FindDialog]"), std::string::npos);  // its place is kept

    window.TextView()->setFocus();
    Key(Qt::Key_F6);  // editor mode
    Edit().CaretToTop();
    Key(Qt::Key_H, Qt::ControlModifier);
    ASSERT_TRUE(findDialog.isVisible());
    findDialog.findChild<QLineEdit*>(QStringLiteral("ReplaceText"))->setText(QStringLiteral("pin"));
    findDialog.findChild<QPushButton*>(QStringLiteral("ReplaceAll"))->click();
    EXPECT_EQ(Edit().Text(), "aaaaaaapin aaaa pin\r\n");
    ASSERT_FALSE(prompter.asked.empty());
    EXPECT_EQ(prompter.asked.back(),
              "Replaced 2 occurrence(s).\r\nThe same string may remain at the beginning.");
}

TEST_F(QtCommandKeysTest, OptionsDialogChangesOneLineAndTheWindowShowsIt) {
    const std::string before = ReadAll(ini);
    QTimer::singleShot(0, [] {
        QWidget* dialog = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QStringLiteral("OptionsDialog") && w->isVisible())
                dialog = w;
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QLineEdit*>(QStringLiteral("View/ViewerColor"))
            ->setText(QStringLiteral("255"));
        static_cast<QDialog*>(dialog)->accept();
    });
    window.findChild<QAction*>(QStringLiteral("Option1"))->trigger();
    std::string expected = before;
    expected.replace(expected.find("ViewerColor=12632256"), 20, "ViewerColor=255");
    EXPECT_EQ(ReadAll(ini), expected);
    EXPECT_EQ(window.TextView()->Look().Color, 255u);
}

// A question's buttons speak the language of the menus; a box of its own caption (the
// keystroke sender's) shows that caption.
TEST(QtPrompterTest, ButtonsFollowEnglishMenuAndCaptionsAreKept) {
    EnsureQtApp();
    const struct {
        bool english;
        const char* caption;
        QString yes, no;
    } cases[] = {
        {false, "Varnel32", QString::fromUtf8("はい(&Y)"), QString::fromUtf8("いいえ(&N)")},
        {true, "SendKeys", QStringLiteral("&Yes"), QStringLiteral("&No")},
    };
    for (const auto& c : cases) {
        QtPrompter prompter;
        prompter.SetEnglish([&c] { return c.english; });
        QString title, yes, no;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            title = box->windowTitle();
            yes = box->button(QMessageBox::Yes)->text();
            no = box->button(QMessageBox::No)->text();
            box->button(QMessageBox::No)->click();
        });
        EXPECT_EQ(prompter.AskTitled(c.caption, "?", platform::Buttons::YesNo,
                                     platform::Severity::Question),
                  platform::Answer::No);
        EXPECT_EQ(title, QString::fromUtf8(c.caption));
        EXPECT_EQ(yes, c.yes);
        EXPECT_EQ(no, c.no);
    }
}

}  // namespace
}  // namespace varnel::qt
