// The editor control on screen: a scroll area that forwards keys, characters, the
// input method, the mouse, the wheel, the clipboard and drag and drop to the core
// editor, and paints the core's paint plan with QPainter.
#pragma once

#include <QAbstractScrollArea>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

class QDrag;

#include "editor/PaintPlan.h"
#include "editor/PaintProperties.h"
#include "editor/SonEdit2.h"
#include "qt/QtClipboard.h"
#include "qt/QtPrompter.h"
#include "qt/QtTextMetrics.h"

namespace varnel::qt {

class QtSonEdit2 : public QAbstractScrollArea {
    Q_OBJECT

  public:
    // Adapts a core owned elsewhere (the main window's SonEdit1) that measures its text
    // with metrics; both outlive the widget.
    QtSonEdit2(editor::TSonEdit2& core, QtTextMetrics& metrics, QWidget* parent = nullptr);
    // A control of its own: its own core, message boxes and the application's clipboard.
    explicit QtSonEdit2(QWidget* parent = nullptr);
    QtSonEdit2(platform::Prompter& prompter, QClipboard& clipboard, QWidget* parent = nullptr);
    ~QtSonEdit2() override;

    editor::TSonEdit2& Core() { return *core_; }
    // The control's look (its published colours and marks).
    editor::PaintProperties& Look() { return *core_; }
    const QtTextMetrics& Metrics() const { return metrics_; }

    // Takes the font of the look again, recomputes the geometry and re-wraps or
    // repaints; call after the look or the font changed.
    void ApplySettings();
    // Takes the font of the look into the metrics only.
    void TakeFont();
    // The paint plan of the page as it stands (for tests and the benchmark).
    editor::PaintPlan CurrentPlan();

    // Events of the control that the main window binds.
    std::function<void(std::uint16_t& key, std::uint8_t shift)> OnKeyDown;
    std::function<void(int x, int y)> OnMouseUp;
    std::function<void()> OnDblclick;
    std::function<void()> OnOLEDropText;
    std::function<void(const std::string& dropFiles)> OnOLEDropFiles;
    std::function<void(QPoint globalPos)> OnContextMenu;

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Runs the drag of the selection until it is dropped or cancelled (QDrag::exec).
    virtual Qt::DropAction ExecDrag(QDrag& drag, Qt::DropActions allowed);

  private:
    struct Own;  // the core and services of a control of its own
    QtSonEdit2(std::unique_ptr<Own> own, QWidget* parent);
    editor::PaintView MakeView();
    // The look with stored system colours turned into the palette's RGB values.
    editor::PaintProperties ResolvedLook() const;
    void SyncScrollBars();
    // One slice of the wrap of a long text, on the idle timer.
    void WrapWhileIdle();
    void Changed();
    QRect CaretRect() const;
    bool InsideSelection(QPoint pos);
    void StartTextDrag();
    void DragScrollTick();
    void RestartBlink();

    std::unique_ptr<Own> own_;
    QtTextMetrics& metrics_;
    editor::TSonEdit2* core_;

    QTimer dragTimer_;   // scrolls while the button is held outside the text
    QTimer caretTimer_;  // caret blink
    QTimer idleWrap_;    // wraps a long text past its first page while idle
    bool caretOn_ = true;
    bool leftDown_ = false;
    QPoint lastMouse_;
    int wheelRest_ = 0;
    QString preedit_;
    bool syncingScroll_ = false;

    // Drag and drop.
    bool dragCandidate_ = false;
    QPoint pressPos_;
    bool dragSource_ = false;
    bool droppedOnSelf_ = false;
    bool dropCaretShown_ = false;
    editor::DisplayPos dropCaret_;
};

}  // namespace varnel::qt
