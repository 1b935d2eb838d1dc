// The editor widget: Qt events in, paint plans out.
#include "qt/QtSonEdit2.h"

#include <QApplication>
#include <QDrag>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QUrl>
#include <algorithm>
#include <chrono>

#include "editor/LineString.h"
#include "editor/TextDrop.h"
#include "qt/QtColor.h"
#include "qt/QtFonts.h"
#include "qt/QtKeyMap.h"
#include "qt/QtPainterCanvas.h"
#include "qt/QtPrompter.h"
#include "text/Cp932.h"

namespace varnel::qt {

namespace {

constexpr std::uint8_t kCtrl = 2;
constexpr std::uint8_t kAlt = 4;

QFont FontOf(const editor::PaintProperties& look) {
    return EditorFont(look.Font.Name, look.Font.Size, look.Font.Height);
}

// A stored system colour (0xFF0000nn) as the RGB value of its palette role.
void Resolve(editor::TColor& c, const QPalette& palette) {
    if ((c & 0xFF000000u) == 0)
        return;
    const QColor q = ToQColor(c, palette);
    c = static_cast<editor::TColor>(q.red() | (q.green() << 8) | (q.blue() << 16));
}

}  // namespace

struct QtSonEdit2::Own {
    Own(platform::Prompter* prompter, QClipboard& systemClipboard)
        : ownPrompter(prompter ? nullptr : std::make_unique<QtPrompter>()),
          metrics(FontOf(editor::PaintProperties())),
          clipboard(systemClipboard),
          core(metrics, clipboard, prompter ? *prompter : *ownPrompter) {}
    std::unique_ptr<QtPrompter> ownPrompter;
    QtTextMetrics metrics;
    QtClipboard clipboard;
    editor::TSonEdit2 core;
};

QtSonEdit2::QtSonEdit2(editor::TSonEdit2& core, QtTextMetrics& metrics, QWidget* parent)
    : QAbstractScrollArea(parent), metrics_(metrics), core_(&core) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setAcceptDrops(true);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setAutoFillBackground(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    core_->OnInvalidate = [this](int, int) { Changed(); };
    // A long text is wrapped past its first page in slices while the window is idle.
    core_->DeferWrap = true;
    idleWrap_.setInterval(0);
    connect(&idleWrap_, &QTimer::timeout, this, [this] { WrapWhileIdle(); });
    dragTimer_.setInterval(40);
    connect(&dragTimer_, &QTimer::timeout, this, [this] { DragScrollTick(); });
    caretTimer_.setInterval(
        QApplication::cursorFlashTime() > 0 ? QApplication::cursorFlashTime() / 2 : 500);
    connect(&caretTimer_, &QTimer::timeout, this, [this] {
        caretOn_ = !caretOn_;
        viewport()->update(CaretRect().adjusted(-2, -2, 2, 2));
    });
    ApplySettings();
}

QtSonEdit2::QtSonEdit2(QWidget* parent)
    : QtSonEdit2(std::make_unique<Own>(nullptr, *QApplication::clipboard()), parent) {}

QtSonEdit2::QtSonEdit2(platform::Prompter& prompter, QClipboard& clipboard, QWidget* parent)
    : QtSonEdit2(std::make_unique<Own>(&prompter, clipboard), parent) {}

QtSonEdit2::QtSonEdit2(std::unique_ptr<Own> own, QWidget* parent)
    : QtSonEdit2(own->core, own->metrics, parent) {
    if (own->ownPrompter)
        own->ownPrompter->SetParent(this);
    own_ = std::move(own);
}

QtSonEdit2::~QtSonEdit2() = default;

void QtSonEdit2::TakeFont() {
    metrics_.SetFont(FontOf(Look()));
}

void QtSonEdit2::ApplySettings() {
    metrics_.SetFont(FontOf(Look()));
    core_->SetTopMargin(Look().TopMarginFor(core_->TopMargin()));
    core_->SetClientSize(viewport()->width(), viewport()->height());
    core_->Rewrap();
    Changed();
}

editor::PaintView QtSonEdit2::MakeView() {
    editor::TSonEdit2& e = *core_;
    editor::PaintView v;
    v.clientWidth = viewport()->width();
    v.clientHeight = viewport()->height();
    v.topMargin = e.TopMargin();
    v.leftMargin = e.LeftMargin();
    v.textLeft = e.TextLeft();
    v.charHeight = e.CharHeight();
    v.linePitch = e.LinePitch();
    v.cellWidth = e.CellWidth();
    v.topLine = e.TopLine();
    v.horzOffset = e.HorzOffset();
    v.tabCount = e.TabCount();
    v.singleByte = e.SingleByteMode();
    v.wordWrap = e.WordWrap();
    v.column = e.Column();
    v.showLineNumber = e.ShowLineNumber();
    v.caretLine = e.CaretY();
    v.caretX = e.TextLeft() + e.CaretPixelX();
    v.caretUnderline = !e.HasSelection() && !leftDown_;
    editor::DisplayPos hit;
    int hitLen = 0;
    if (e.Hit(hit, hitLen)) {
        v.hitLine = hit.line;
        v.hitX = hit.x;
        v.hitLength = hitLen;
        v.hitColour = e.HitColor;
    }
    return v;
}

editor::PaintProperties QtSonEdit2::ResolvedLook() const {
    editor::PaintProperties r = *core_;
    const QPalette& p = palette();
    for (editor::TColor* c : {&r.Color, &r.Font.Color, &r.SelColor, &r.CREOFcolor, &r.URLColor,
                              &r.QuotMarkColor, &r.UlineColor, &r.RulerColor, &r.RulerCurColor,
                              &r.SubjectColor, &r.DateColor, &r.FromColor})
        Resolve(*c, p);
    return r;
}

void QtSonEdit2::WrapWhileIdle() {
    // Slices of a few milliseconds, so that keys and paints wait no longer than that.
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(8);
    while (core_->WrapSome(256)) {
        if (std::chrono::steady_clock::now() >= until)
            break;
    }
    if (!core_->WrapPending())
        idleWrap_.stop();
    SyncScrollBars();
}

editor::PaintPlan QtSonEdit2::CurrentPlan() {
    editor::TSonEdit2& e = *core_;
    e.WrapThrough(e.TopLine() + e.VisibleLines() + 1);
    return editor::BuildPaintPlan(
        e.LinesSoFar(), MakeView(), ResolvedLook(), metrics_,
        [&e](int line, int& x1, int& x2) { return e.SelectionOnLine(line, x1, x2); });
}

void QtSonEdit2::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const editor::PaintProperties look = ResolvedLook();
    const editor::PaintPlan plan = CurrentPlan();
    {
        QtPainterCanvas canvas(painter, metrics_, plan.singleByte);
        plan.Replay(canvas);
    }
    const QRect caret = CaretRect();
    if (!preedit_.isEmpty()) {
        // The composition is drawn at the caret on the background, dotted underline.
        painter.setFont(metrics_.Font());
        const int w = painter.fontMetrics().horizontalAdvance(preedit_);
        painter.fillRect(caret.x(), caret.y(), w + 2, caret.height(), FromBgr(look.Color));
        painter.setPen(FromBgr(look.Font.Color));
        painter.drawText(caret.x(), caret.y() + metrics_.Ascent(), preedit_);
        QPen dots(FromBgr(look.Font.Color), 1, Qt::DotLine);
        painter.setPen(dots);
        painter.drawLine(caret.x(), caret.bottom(), caret.x() + w, caret.bottom());
    }
    if (dropCaretShown_) {
        const editor::TSonEdit2& e = *core_;
        const int y = (dropCaret_.line - e.TopLine()) * e.LinePitch() + e.TopMargin();
        const std::string& line = e.Lines().Get(dropCaret_.line);
        const int x = e.TextLeft() - e.HorzOffset() +
                      metrics_.TextWidth(e.ExpandTabs(std::string_view(line).substr(
                          0, static_cast<std::size_t>(
                                 std::min<int>(dropCaret_.x, static_cast<int>(line.size()))))));
        painter.fillRect(x, y, 2, e.CharHeight(), FromBgr(look.Font.Color));
    } else if (hasFocus() && caretOn_ && preedit_.isEmpty()) {
        painter.fillRect(caret, FromBgr(look.Font.Color));
    }
}

QRect QtSonEdit2::CaretRect() const {
    const editor::TSonEdit2& e = *core_;
    const int y = (e.CaretY() - e.TopLine()) * e.LinePitch() + e.TopMargin();
    const int x = e.TextLeft() + e.CaretPixelX();
    const int w = e.InsertMode() ? 2 : std::max(2, e.CellWidth());
    return QRect(x, y, w, e.CharHeight());
}

void QtSonEdit2::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    core_->SetClientSize(viewport()->width(), viewport()->height());
    Changed();
}

void QtSonEdit2::Changed() {
    if (core_->WrapPending() && !idleWrap_.isActive())
        idleWrap_.start();
    SyncScrollBars();
    viewport()->update();
}

void QtSonEdit2::SyncScrollBars() {
    if (syncingScroll_)
        return;  // a scroll bar shown or hidden here resizes the view and comes back
    syncingScroll_ = true;
    const editor::TSonEdit2& e = *core_;
    // While the wrap goes on, the range grows with it (every line waiting is at least one).
    const editor::TSonStrings& lines = e.LinesSoFar();
    QScrollBar* v = verticalScrollBar();
    v->setRange(0, std::max(0, lines.Count() - 1));
    v->setPageStep(std::max(1, e.VisibleLines()));
    v->setValue(e.TopLine());
    // Horizontal: the widest visible line, tab-expanded, with a fifth of the text width
    // to spare after it.
    QScrollBar* h = horizontalScrollBar();
    if (e.AutoWrap()) {
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    } else {
        int widest = 0;
        const int last = std::min(e.WrappedCount() - 1, e.TopLine() + e.VisibleLines());
        for (int i = e.TopLine(); i <= last; ++i)
            widest = std::max(widest,
                              metrics_.TextWidth(e.ExpandTabs(editor::StripLineEnd(lines.Get(i)))));
        const int area = std::max(1, e.TextAreaWidth());
        const int fifth = (area + 4) / 5;
        setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        h->setRange(0, std::max(e.HorzOffset(), widest + fifth - area));
        h->setPageStep(area);
        h->setSingleStep(std::max(1, e.CellWidth()));
        h->setValue(e.HorzOffset());
    }
    syncingScroll_ = false;
}

void QtSonEdit2::scrollContentsBy(int dx, int) {
    if (syncingScroll_)
        return;
    if (dx != 0)
        core_->SetHorzOffset(horizontalScrollBar()->value());
    const int delta = verticalScrollBar()->value() - core_->TopLine();
    if (delta != 0)
        core_->ScrollLines(delta);
    viewport()->update();
}

void QtSonEdit2::RestartBlink() {
    caretOn_ = true;
    if (hasFocus())
        caretTimer_.start();
}

void QtSonEdit2::keyPressEvent(QKeyEvent* event) {
    std::uint16_t vk = VirtualKeyOf(event->key());
    const std::uint8_t shift = ShiftByteOf(event->modifiers());
    if (vk != 0 && OnKeyDown) {
        OnKeyDown(vk, shift);  // the handler may take the key by clearing it
        if (vk == 0) {
            event->accept();
            return;
        }
    }
    const bool used = vk != 0 && core_->KeyDown(vk, shift);
    if (!used && (shift & (kCtrl | kAlt)) == 0 && !event->text().isEmpty()) {
        const std::string bytes = text::Utf8ToCp932(event->text().toStdString());
        for (char c : bytes) {
            if (static_cast<unsigned char>(c) >= 0x20)
                core_->KeyPress(static_cast<unsigned char>(c), shift);
        }
    }
    RestartBlink();
    Changed();
    event->accept();
}

void QtSonEdit2::inputMethodEvent(QInputMethodEvent* event) {
    preedit_ = event->preeditString();
    const QString commit = event->commitString();
    if (!commit.isEmpty() && !core_->ReadOnly)
        core_->ImeResult(text::Utf8ToCp932(commit.toStdString()));
    RestartBlink();
    Changed();
    event->accept();
}

QVariant QtSonEdit2::inputMethodQuery(Qt::InputMethodQuery query) const {
    switch (query) {
        case Qt::ImEnabled:
            return !core_->ReadOnly;
        case Qt::ImCursorRectangle:
        case Qt::ImAnchorRectangle:
            return CaretRect().translated(viewport()->pos());
        case Qt::ImFont:
            return metrics_.Font();
        case Qt::ImHints:
            return static_cast<int>(Qt::ImhMultiLine);
        default:
            return QAbstractScrollArea::inputMethodQuery(query);
    }
}

bool QtSonEdit2::InsideSelection(QPoint pos) {
    if (!core_->HasSelection() || core_->BoxSelMode())
        return false;
    const editor::DisplayPos at = core_->PointToPosition(pos.x(), pos.y());
    int x1 = 0;
    int x2 = 0;
    return pos.x() >= core_->TextLeft() && core_->SelectionOnLine(at.line, x1, x2) && at.x >= x1 &&
           at.x < x2;
}

void QtSonEdit2::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    lastMouse_ = pos;
    if (event->button() == Qt::RightButton) {
        if (OnContextMenu)
            OnContextMenu(event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    const std::uint8_t shift = ShiftByteOf(event->modifiers());
    if ((shift & 1) == 0 && InsideSelection(pos)) {
        dragCandidate_ = true;
        pressPos_ = pos;
        return;
    }
    leftDown_ = true;
    core_->MouseDown(pos.x(), pos.y(), shift);
    dragTimer_.start();
    RestartBlink();
    Changed();
}

void QtSonEdit2::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    lastMouse_ = pos;
    if (dragCandidate_) {
        if ((pos - pressPos_).manhattanLength() >= QApplication::startDragDistance()) {
            dragCandidate_ = false;
            StartTextDrag();
        }
        return;
    }
    if (!leftDown_)
        return;
    core_->MouseMove(pos.x(), pos.y());
    Changed();
}

void QtSonEdit2::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() != Qt::LeftButton)
        return;
    dragTimer_.stop();
    if (dragCandidate_) {
        // A click inside the selection without a drag places the caret there.
        dragCandidate_ = false;
        core_->MouseDown(pos.x(), pos.y(), 0);
    }
    leftDown_ = false;
    core_->MouseUp(pos.x(), pos.y());
    if (OnMouseUp)
        OnMouseUp(pos.x(), pos.y());
    Changed();
}

void QtSonEdit2::mouseDoubleClickEvent(QMouseEvent* event) {
    // The press that comes with a double click is not a click of its own.
    if (event->button() == Qt::LeftButton && OnDblclick)
        OnDblclick();
}

void QtSonEdit2::DragScrollTick() {
    if (!leftDown_)
        return;
    const editor::TSonEdit2& e = *core_;
    const bool outside = lastMouse_.y() < e.TopMargin() ||
                         lastMouse_.y() >= e.TopMargin() + e.VisibleLines() * e.LinePitch() ||
                         lastMouse_.x() < e.TextLeft() ||
                         lastMouse_.x() >= e.TextLeft() + e.TextAreaWidth();
    if (!outside)
        return;
    core_->DragScrollTick(lastMouse_.x(), lastMouse_.y());
    core_->ScrollToCaret();
    Changed();
}

void QtSonEdit2::wheelEvent(QWheelEvent* event) {
    // Fine-grained wheels report parts of a notch: whole notches of 120 scroll.
    wheelRest_ += event->angleDelta().y();
    const int notches = wheelRest_ / 120;
    if (notches != 0) {
        wheelRest_ -= notches * 120;
        core_->Wheel(notches * 120);
        Changed();
    }
    event->accept();
}

void QtSonEdit2::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    RestartBlink();
    viewport()->update();
}

void QtSonEdit2::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    caretTimer_.stop();
    viewport()->update();
}

bool QtSonEdit2::focusNextPrevChild(bool next) {
    // The Tab key belongs to the text while WantTabs is on.
    if (core_->WantTabs)
        return false;
    return QAbstractScrollArea::focusNextPrevChild(next);
}

// ---- Drag and drop ----

void QtSonEdit2::StartTextDrag() {
    const std::string text = core_->GetSelText();
    if (text.empty())
        return;
    QDrag drag(this);
    drag.setMimeData(MimeDataFromCore(text));
    dragSource_ = true;
    droppedOnSelf_ = false;
    const Qt::DropActions allowed =
        core_->ReadOnly ? Qt::CopyAction : (Qt::CopyAction | Qt::MoveAction);
    const Qt::DropAction result = ExecDrag(drag, allowed);
    dragSource_ = false;
    if (editor::DragEndDeletesSource(result == Qt::MoveAction, droppedOnSelf_) && !core_->ReadOnly)
        core_->DeleteSelection();
    else if (!droppedOnSelf_)
        core_->Deselect();
    Changed();
}

Qt::DropAction QtSonEdit2::ExecDrag(QDrag& drag, Qt::DropActions allowed) {
    return drag.exec(allowed, Qt::MoveAction);
}

namespace {

std::vector<std::string> LocalFiles(const QMimeData* data) {
    std::vector<std::string> files;
    if (!data->hasUrls())
        return files;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            files.push_back(url.toLocalFile().toStdString());
    }
    return files;
}

}  // namespace

void QtSonEdit2::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* data = event->mimeData();
    if (!LocalFiles(data).empty()) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
        return;
    }
    if ((data->hasText() || data->hasFormat(QString::fromLatin1(kCp932MimeType))) &&
        !core_->ReadOnly) {
        setFocus();
        event->acceptProposedAction();
        return;
    }
    event->ignore();
}

void QtSonEdit2::dragMoveEvent(QDragMoveEvent* event) {
    const QMimeData* data = event->mimeData();
    if (!LocalFiles(data).empty()) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
        return;
    }
    if (!(data->hasText() || data->hasFormat(QString::fromLatin1(kCp932MimeType))) ||
        core_->ReadOnly) {
        event->ignore();
        return;
    }
    const QPoint pos = event->position().toPoint();
    editor::TSonEdit2& e = *core_;
    // Near the top or bottom edge the view scrolls; the selection stays as it is.
    if (pos.y() < e.TopMargin() + e.LinePitch() / 2)
        e.SetTopLine(e.TopLine() - 1);
    else if (pos.y() > viewport()->height() - e.LinePitch() / 2)
        e.SetTopLine(e.TopLine() + 1);
    dropCaret_ = e.PointToPosition(pos.x(), pos.y());
    dropCaretShown_ = true;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    event->setDropAction(dragSource_ && !ctrl ? Qt::MoveAction : Qt::CopyAction);
    event->accept();
    Changed();
}

void QtSonEdit2::dragLeaveEvent(QDragLeaveEvent*) {
    dropCaretShown_ = false;
    viewport()->update();
}

void QtSonEdit2::dropEvent(QDropEvent* event) {
    dropCaretShown_ = false;
    const QMimeData* data = event->mimeData();
    const std::vector<std::string> files = LocalFiles(data);
    if (!files.empty()) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
        if (OnOLEDropFiles)
            OnOLEDropFiles(editor::JoinDroppedFiles(files));
        return;
    }
    std::string dropped;
    if (core_->ReadOnly || !CoreTextFromMimeData(*data, dropped)) {
        event->ignore();
        return;
    }
    const QPoint pos = event->position().toPoint();
    // A drop while this control's own drag runs is that drag's.
    const bool fromSelf = dragSource_;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    if (fromSelf)
        droppedOnSelf_ = true;
    const editor::DisplayPos at = core_->PointToPosition(pos.x(), pos.y());
    const bool changed = editor::DropText(*core_, dropped, at, fromSelf, ctrl);
    event->setDropAction(fromSelf && !ctrl ? Qt::MoveAction : Qt::CopyAction);
    event->accept();
    if (changed && !fromSelf && OnOLEDropText)
        OnOLEDropText();
    setFocus();
    Changed();
}

}  // namespace varnel::qt
