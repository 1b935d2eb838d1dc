// The ruler: the caption placed in the editor's text cells.
#include "qt/QtRuler.h"

#include <QEvent>
#include <QPainter>

#include "qt/QtPainterCanvas.h"
#include "qt/QtSonEdit2.h"
#include "text/Cp932.h"

namespace varnel::qt {

QtRuler::QtRuler(const QtTextMetrics& metrics, QWidget* parent)
    : QWidget(parent), metrics_(metrics) {
    // The caption runs on past any window width: it must not widen the window.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

void QtRuler::SetCaption(const std::string& utf8) {
    std::string cp932 = text::Utf8ToCp932(utf8);
    cp932.erase(0, cp932.find_first_not_of(' '));
    caption_ = std::move(cp932);
    update();
}

void QtRuler::Follow(QtSonEdit2* edit) {
    if (edit_)
        edit_->viewport()->removeEventFilter(this);
    edit_ = edit;
    if (edit_)
        edit_->viewport()->installEventFilter(this);
    update();
}

int QtRuler::TextStart() const {
    if (!edit_)
        return 0;
    const editor::TSonEdit2& e = edit_->Core();
    const QWidget* view = edit_->viewport();
    return mapFrom(window(), view->mapTo(window(), QPoint(e.TextLeft() - e.HorzOffset(), 0))).x();
}

int QtRuler::TextEnd() const {
    if (!edit_)
        return width();
    const QWidget* view = edit_->viewport();
    return mapFrom(window(), view->mapTo(window(), QPoint(view->width(), 0))).x();
}

QSize QtRuler::sizeHint() const {
    return {0, metrics_.CharHeight() + 2};
}

bool QtRuler::eventFilter(QObject* watched, QEvent* event) {
    // The editor repaints whenever its text moves: the ruler follows when its place
    // changed (a wider line-number margin, a sideways scroll, a resize).
    if (edit_ && watched == edit_->viewport() &&
        (event->type() == QEvent::Paint || event->type() == QEvent::Resize) &&
        (TextStart() != paintedStart_ || TextEnd() != paintedEnd_))
        update();
    return QWidget::eventFilter(watched, event);
}

void QtRuler::paintEvent(QPaintEvent*) {
    paintedStart_ = TextStart();
    paintedEnd_ = TextEnd();
    if (!edit_)
        return;
    const editor::TSonEdit2& e = edit_->Core();
    // Only over the text area: columns scrolled away left are not drawn over the margin.
    const int left = paintedStart_ + e.HorzOffset();
    if (paintedEnd_ <= left)
        return;
    QPainter painter(this);
    QtPainterCanvas canvas(painter, metrics_, false);
    canvas.SetClip(left, 0, paintedEnd_ - left, height());
    const QColor c = palette().color(QPalette::WindowText);
    const auto colour = static_cast<std::uint32_t>(c.red() | (c.green() << 8) | (c.blue() << 16));
    canvas.DrawText(paintedStart_, std::max(0, (height() - metrics_.CharHeight()) / 2), caption_,
                    colour, false);
    canvas.ResetClip();
}

}  // namespace varnel::qt
