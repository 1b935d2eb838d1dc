// Offscreen smoke tests of the editor widget: keys, the input method, paste, copy,
// the wheel and a read-only Backspace reach the core as the right CP932 bytes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <memory>

#include "fakes/Fakes.h"
#include "qt/QtClipboard.h"
#include "qt/QtKeyMap.h"
#include "qt/QtPainterCanvas.h"
#include "qt/QtSonEdit2.h"
#include "qt/QtTestApp.h"

namespace varnel::qt {
namespace {

struct Widget {
    fakes::ScriptedPrompter prompter;
    QtSonEdit2 edit;
    Widget() : edit((EnsureQtApp(), prompter), *QApplication::clipboard()) {
        edit.resize(400, 300);
        edit.Core().SetWrap(false, false);
    }
    void Key(int key, const QString& text = {}, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, key, mods, text);
        QCoreApplication::sendEvent(&edit, &press);
    }
    std::string Text() { return edit.Core().Text(); }
};

TEST(QtSonEdit2, KeysTypeCp932) {
    Widget w;
    w.Key(Qt::Key_A, "a");
    w.Key(Qt::Key_B, "B", Qt::ShiftModifier);
    w.Key(Qt::Key_Return, "\r");
    w.Key(0, QString::fromUtf8("あ"));  // a character without a key code
    w.Key(Qt::Key_Tab, "\t");
    w.Key(Qt::Key_Backspace, "\b");
    w.Key(0, QString::fromUtf8("ｱ"));  // half-width katakana: one byte
    EXPECT_EQ(w.Text(), "aB\r\n\x82\xa0\xb1");
    w.Key(Qt::Key_Left);
    w.Key(Qt::Key_Left);
    w.Key(Qt::Key_Delete);
    EXPECT_EQ(w.Text(), "aB\r\n\xb1");
    w.Key(Qt::Key_Z, "\x1a", Qt::ControlModifier);  // undo
    EXPECT_EQ(w.Text(), "aB\r\n\x82\xa0\xb1");
}

TEST(QtSonEdit2, InputMethodCommitAndPreedit) {
    Widget w;
    QInputMethodEvent pre(QString::fromUtf8("にほん"), {});
    QCoreApplication::sendEvent(&w.edit, &pre);
    EXPECT_EQ(w.Text(), "");  // the composition is only shown
    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf8("日本①"));
    QCoreApplication::sendEvent(&w.edit, &commit);
    EXPECT_EQ(w.Text(), "\x93\xfa\x96\x7b\x87\x40");
    const QRect r = w.edit.inputMethodQuery(Qt::ImCursorRectangle).toRect();
    EXPECT_GT(r.height(), 0);
    EXPECT_GT(r.x(), 0);

    w.edit.Core().ReadOnly = true;
    QInputMethodEvent more;
    more.setCommitString(QString::fromUtf8("語"));
    QCoreApplication::sendEvent(&w.edit, &more);
    EXPECT_EQ(w.Text(), "\x93\xfa\x96\x7b\x87\x40");
}

TEST(QtSonEdit2, PasteAndCopyConvertAtTheEdge) {
    Widget w;
    QApplication::clipboard()->setText(QString::fromUtf8("表示\nソ\\x"));
    w.Key(Qt::Key_V, "\x16", Qt::ControlModifier);
    EXPECT_EQ(w.Text(), "\x95\x5c\x8e\xa6\r\n\x83\x5c\\x");

    w.Key(Qt::Key_A, "\x01", Qt::ControlModifier);
    w.Key(Qt::Key_C, "\x03", Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8("表示\nソ\\x"));
}

// Inside the program text keeps its bytes: NUL, a lone CR and the NEC and IBM codes of
// the same characters (ED 40 and FA 5C) survive cut, paste and a drop.
TEST(QtSonEdit2, CutPasteAndDropKeepTheBytes) {
    const std::string bytes = std::string("a\0b\rc\xED\x40\xFA\x5C", 9) + "d";
    Widget w;
    w.edit.Core().SetText(bytes);
    w.edit.Core().SelectAll();
    w.Key(Qt::Key_X, "\x18", Qt::ControlModifier);
    EXPECT_EQ(w.Text(), "");
    w.Key(Qt::Key_V, "\x16", Qt::ControlModifier);
    EXPECT_EQ(w.Text(), bytes);
    // Other programs get Unicode without the NUL.
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "ab\rc\u7E8A\u7E8Ad");

    // A drag carries the same data: the drop takes the bytes back.
    std::unique_ptr<QMimeData> data(MimeDataFromCore(bytes));
    std::string dropped;
    ASSERT_TRUE(CoreTextFromMimeData(*data, dropped));
    EXPECT_EQ(dropped, bytes);
    QMimeData plain;  // from another program: Unicode with LF
    plain.setText(QStringLiteral("x\ny"));
    ASSERT_TRUE(CoreTextFromMimeData(plain, dropped));
    EXPECT_EQ(dropped, "x\r\ny");
}

TEST(QtSonEdit2, ReadOnlyBackspaceOnlyReports) {
    Widget w;
    w.edit.Core().SetText("abc");
    w.edit.Core().MoveCaretTo(3, 0);
    w.edit.Core().ReadOnly = true;
    int reported = 0;
    w.edit.Core().OnBackSpaceKey = [&] { ++reported; };
    w.Key(Qt::Key_Backspace, "\b");
    w.Key(Qt::Key_X, "x");
    EXPECT_EQ(reported, 1);
    EXPECT_EQ(w.Text(), "abc");
}

TEST(QtSonEdit2, WheelScrollsByWholeNotches) {
    Widget w;
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "line\r\n";
    w.edit.Core().SetText(text);
    w.edit.Core().WheelStep = 2;
    auto wheel = [&](int delta) {
        QWheelEvent ev(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(0, delta), Qt::NoButton,
                       Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(w.edit.viewport(), &ev);
    };
    wheel(-60);
    EXPECT_EQ(w.edit.Core().TopLine(), 0);  // half a notch does nothing yet
    wheel(-60);
    EXPECT_EQ(w.edit.Core().TopLine(), 2);
    wheel(-240);
    EXPECT_EQ(w.edit.Core().TopLine(), 6);
}

TEST(QtSonEdit2, HorizontalScrollBarFollowsTheWidestLine) {
    Widget w;
    w.edit.Core().SetAutoWrap(false);
    w.edit.Core().SetText(std::string(300, 'x') + "\r\nshort\r\n");
    w.edit.ApplySettings();
    QScrollBar* h = w.edit.horizontalScrollBar();
    EXPECT_GT(h->maximum(), 0);
    h->setValue(50);
    EXPECT_EQ(w.edit.Core().HorzOffset(), 50);
    EXPECT_EQ(w.edit.Core().CaretX(), 0);  // the caret stays where it was
}

TEST(QtSonEdit2, KeyTableAndPaintingIntoAnImage) {
    EXPECT_EQ(VirtualKeyOf(Qt::Key_A), 0x41);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_F5), 0x74);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_PageDown), 0x22);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_Comma), 0xBC);
    EXPECT_EQ(ShiftByteOf(Qt::ShiftModifier | Qt::ControlModifier), 3);

    Widget w;
    w.edit.Core().SetText("> \x88\xf8\x97\x70\r\nSubject: x\r\n");
    w.edit.Look().ApplyMainWindowDefaults();
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter p(&image);
        const editor::PaintPlan plan = w.edit.CurrentPlan();
        QtPainterCanvas canvas(p, w.edit.Metrics(), false);
        plan.Replay(canvas);
    }
    EXPECT_EQ(image.pixelColor(399, 299), QColor(Qt::white));  // background painted
    // Some gray pixels of the quoted line.
    bool gray = false;
    const int y0 = w.edit.Core().TopMargin();
    for (int y = y0; y < y0 + w.edit.Core().CharHeight() && !gray; ++y)
        for (int x = 0; x < 200 && !gray; ++x)
            gray = image.pixelColor(x, y) == QColor(0x80, 0x80, 0x80);
    EXPECT_TRUE(gray);
}

}  // namespace
}  // namespace varnel::qt
