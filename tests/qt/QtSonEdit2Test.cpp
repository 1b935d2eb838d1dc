// Offscreen smoke tests of the editor widget: keys, the input method, paste, copy,
// the wheel and a read-only Backspace reach the core as the right CP932 bytes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QDropEvent>
#include <QImage>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
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

    std::string dropped;
    QMimeData plain;  // a drop from another program: Unicode with LF
    plain.setText(QStringLiteral("x\ny"));
    ASSERT_TRUE(CoreTextFromMimeData(plain, dropped));
    EXPECT_EQ(dropped, "x\r\ny");
}

// The widget whose drag runs here: the mime data the widget made is carried through its
// own drag enter, move and drop handlers to the target point, as the platform would.
class DragEdit : public QtSonEdit2 {
  public:
    using QtSonEdit2::QtSonEdit2;
    QPoint target;
    Qt::KeyboardModifiers mods = Qt::NoModifier;

  protected:
    Qt::DropAction ExecDrag(QDrag& drag, Qt::DropActions allowed) override {
        QMimeData* data = drag.mimeData();
        QDragEnterEvent enter(target, allowed, data, Qt::LeftButton, mods);
        QCoreApplication::sendEvent(viewport(), &enter);
        if (!enter.isAccepted())
            return Qt::IgnoreAction;
        QDragMoveEvent move(target, allowed, data, Qt::LeftButton, mods);
        QCoreApplication::sendEvent(viewport(), &move);
        QDropEvent drop(QPointF(target), allowed, data, Qt::LeftButton, mods);
        QCoreApplication::sendEvent(viewport(), &drop);
        return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
    }
};

// A drag of the selection inside the control with the mouse: the moved or copied text
// keeps NUL, a lone CR and the NEC and IBM codes of one character (ED 40, FA 5C).
TEST(QtSonEdit2, DragInsideTheControlKeepsTheBytes) {
    const std::string sel("\0b\rc\xED\x40\xFA\x5C", 8);  // columns 1 to 9 of line 0
    const std::string text = "a" + sel + "d\r\nXYZ\r\nend";
    struct Case {
        const char* name;
        int line, column;  // the drop point
        bool ctrl;
        std::string result;
        int undos;  // the edits the drop made
    };
    const Case cases[] = {
        {"move to a later line", 1, 3, false, "ad\r\nXYZ" + sel + "\r\nend", 2},
        {"move before the selection", 0, 0, false, sel + "ad\r\nXYZ\r\nend", 2},
        {"copy with Ctrl", 2, 3, true, text + sel, 1},
        {"onto the selection itself", 0, 5, false, text, 0},
    };
    EnsureQtApp();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fakes::ScriptedPrompter prompter;
        DragEdit edit(prompter, *QApplication::clipboard());
        edit.resize(400, 300);
        editor::TSonEdit2& core = edit.Core();
        core.SetWrap(false, false);
        core.SetText(text);
        core.Select({0, 1}, {0, 9});
        ASSERT_EQ(core.GetSelText(), sel);
        auto at = [&](int line, int column) {
            return QPoint(core.TextLeft() + column * core.CellWidth() + core.CellWidth() / 4,
                          core.TopMargin() + line * core.LinePitch() + core.LinePitch() / 2);
        };
        edit.target = at(c.line, c.column);
        edit.mods = c.ctrl ? Qt::ControlModifier : Qt::NoModifier;
        const QPoint grip = at(0, 3) + QPoint(core.CellWidth() / 2, 0);
        QMouseEvent press(QEvent::MouseButtonPress, grip, edit.viewport()->mapToGlobal(grip),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(edit.viewport(), &press);
        const QPoint away = grip + QPoint(0, 3 * QApplication::startDragDistance());
        QMouseEvent move(QEvent::MouseMove, away, edit.viewport()->mapToGlobal(away), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(edit.viewport(), &move);
        EXPECT_EQ(core.Text(), c.result);
        for (int i = 0; i < c.undos; ++i)
            core.Undo();
        EXPECT_EQ(core.Text(), text) << "undone";
    }
}

// Read-only: Backspace and Delete are only reported, typing and pasting change nothing,
// and the caret still moves.
TEST(QtSonEdit2, ReadOnlyKeysOnlyReport) {
    Widget w;
    w.edit.Core().SetText("abc");
    w.edit.Core().MoveCaretTo(2, 0);
    w.edit.Core().ReadOnly = true;
    int back = 0, del = 0;
    w.edit.Core().OnBackSpaceKey = [&] { ++back; };
    w.edit.Core().OnDeleteKey = [&] { ++del; };
    w.Key(Qt::Key_Backspace, "\b");
    w.Key(Qt::Key_Delete);
    w.Key(Qt::Key_X, "x");
    QApplication::clipboard()->setText(QStringLiteral("p"));
    w.Key(Qt::Key_V, "\x16", Qt::ControlModifier);
    w.edit.Core().PasteFromClipboard();  // as the Edit menu does
    EXPECT_EQ(back, 1);
    EXPECT_EQ(del, 1);
    EXPECT_EQ(w.Text(), "abc");
    w.Key(Qt::Key_Right);
    EXPECT_EQ(w.edit.Core().CaretX(), 3);
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

TEST(QtSonEdit2, LongTextWrapsPastItsFirstPageWhileIdle) {
    std::vector<std::string> lines(3000, std::string(150, 'w'));
    Widget idle, atOnce;
    atOnce.edit.Core().DeferWrap = false;
    for (Widget* w : {&idle, &atOnce}) {
        w->edit.Core().SetWrap(true, false);
        w->edit.Core().SetColumn(40);
        w->edit.Core().SetLines(std::vector<std::string>(lines), true);
    }
    editor::TSonEdit2& e = idle.edit.Core();
    ASSERT_TRUE(e.WrapPending());
    QScrollBar* v = idle.edit.verticalScrollBar();
    const int early = v->maximum();
    EXPECT_LT(early, atOnce.edit.verticalScrollBar()->maximum());
    // A taller page than at the load is wrapped as it is painted.
    for (Widget* w : {&idle, &atOnce}) {
        w->edit.resize(400, 2000);
        w->edit.show();
    }
    ASSERT_GT(e.VisibleLines(), e.WrappedCount());
    const auto texts = [](const editor::PaintPlan& plan) {
        std::vector<std::string> out;
        for (const editor::PaintOp& op : plan.ops)
            out.push_back(op.text);
        return out;
    };
    EXPECT_EQ(texts(idle.edit.CurrentPlan()), texts(atOnce.edit.CurrentPlan()));
    EXPECT_TRUE(e.WrapPending());
    for (int i = 0; i < 1000 && e.WrapPending(); ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    EXPECT_FALSE(e.WrapPending());
    // The scroll bar has settled on the whole text, as wrapped at once.
    EXPECT_EQ(v->maximum(), atOnce.edit.verticalScrollBar()->maximum());
    EXPECT_EQ(e.Lines().Count(), 4 * 3000 + 1);
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
