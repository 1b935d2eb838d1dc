// Cell metrics of the editor font.
#include "qt/QtTextMetrics.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

namespace varnel::qt {

void QtTextMetrics::SetFont(const QFont& font) {
    font_ = font;
    const QFontMetricsF fm(font_);
    // A cell is half the advance of a full-width character when the font has one, so
    // that Japanese text keeps its two-cell characters; else the Latin digit's advance.
    const qreal full = fm.horizontalAdvance(QChar(0x3042));  // あ
    const qreal digit = fm.horizontalAdvance(QLatin1Char('0'));
    const qreal cell = fm.inFontUcs4(0x3042) ? std::max(full / 2.0, digit) : digit;
    cell_ = std::max(1, static_cast<int>(std::lround(cell)));
    height_ = std::max(1, static_cast<int>(std::ceil(fm.height())));
    ascent_ = static_cast<int>(std::lround(fm.ascent()));
}

}  // namespace varnel::qt
