// Replaying paint plans with QPainter.
#include "qt/QtPainterCanvas.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QString>

#include "text/Cp932.h"
#include "text/Sjis.h"
#include "text/Windows1252.h"

namespace varnel::qt {

QColor FromBgr(std::uint32_t c) {
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

QtPainterCanvas::QtPainterCanvas(QPainter& painter, const QtTextMetrics& metrics, bool singleByte)
    : p_(painter), m_(metrics), singleByte_(singleByte) {
    rulerFont_ = QFont(QStringLiteral("DejaVu Sans"));
    rulerFont_.setPixelSize(8);
    p_.setFont(m_.Font());
    // Runs of ASCII are drawn in one call with a font whose advance is exactly one
    // cell: a fixed-pitch face whose half-width advance is off by a fraction of a pixel
    // gets the difference as letter spacing. Other faces draw character by character.
    const qreal advance = QFontMetricsF(m_.Font()).horizontalAdvance(QLatin1Char('0'));
    const qreal cell = m_.AverageCharWidth();
    if (QFontInfo(m_.Font()).fixedPitch() || qAbs(advance - cell) < 0.01) {
        asciiFont_ = m_.Font();
        if (qAbs(advance - cell) >= 0.01)
            asciiFont_.setLetterSpacing(QFont::AbsoluteSpacing, cell - advance);
        asciiRuns_ = qAbs(QFontMetricsF(asciiFont_).horizontalAdvance(QStringLiteral("0M.i")) -
                          4 * cell) < 0.05;
    }
}

void QtPainterCanvas::FillRect(int x, int y, int w, int h, std::uint32_t colour) {
    if (w > 0 && h > 0)
        p_.fillRect(x, y, w, h, FromBgr(colour));
}

void QtPainterCanvas::DrawText(int x, int y, std::string_view text, std::uint32_t colour,
                               bool underline) {
    if (text.empty())
        return;
    const int cell = m_.AverageCharWidth();
    p_.setPen(FromBgr(colour));
    const int baseline = y + m_.Ascent();
    const QRect clip = p_.hasClipping() ? p_.clipBoundingRect().toRect() : QRect();
    // Characters are decoded one by one and each is drawn at its own cell, so that a
    // glyph of a font that is not exactly two cells wide cannot push its neighbours.
    // Runs of plain ASCII are drawn in one call when the font's advance is the cell.
    const bool asciiFits = asciiRuns_;
    std::size_t i = 0;
    int cx = x;
    while (i < text.size()) {
        if (clip.isValid() && cx > clip.right())
            break;
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (asciiFits && c >= 0x20 && c < 0x7F) {
            std::size_t j = i;
            while (j < text.size() && static_cast<unsigned char>(text[j]) >= 0x20 &&
                   static_cast<unsigned char>(text[j]) < 0x7F)
                ++j;
            if (c != ' ' || j - i > 1) {
                p_.setFont(asciiFont_);
                p_.drawText(cx, baseline,
                            QString::fromLatin1(text.data() + i, static_cast<qsizetype>(j - i)));
                p_.setFont(m_.Font());
            }
            cx += static_cast<int>(j - i) * cell;
            i = j;
            continue;
        }
        const std::size_t n = singleByte_ ? 1 : text::CharLengthAt(text, i);
        QString glyph;
        if (singleByte_)
            glyph = QChar(text::Windows1252ToUnicode(c));
        else if (c < 0x20)
            glyph = QChar(0xFFFD);
        else
            glyph = QString::fromStdString(text::Cp932ToUtf8(text.substr(i, n)));
        if (glyph != QLatin1String(" "))
            p_.drawText(cx, baseline, glyph);
        cx += static_cast<int>(n) * cell;
        i += n;
    }
    if (underline) {
        const int uy = baseline + std::max(1, (m_.CharHeight() - m_.Ascent()) / 3);
        p_.drawLine(x, uy, cx - 1, uy);
    }
}

void QtPainterCanvas::DrawRulerText(int x, int y, std::string_view ascii, std::uint32_t colour) {
    p_.save();
    p_.setFont(rulerFont_);
    p_.setPen(FromBgr(colour));
    p_.drawText(x, y + QFontMetrics(rulerFont_).ascent(),
                QString::fromLatin1(ascii.data(), static_cast<qsizetype>(ascii.size())));
    p_.restore();
}

void QtPainterCanvas::DrawLine(int x1, int y1, int x2, int y2, std::uint32_t colour) {
    p_.setPen(QPen(FromBgr(colour), 1));
    p_.drawLine(x1, y1, x2, y2);
}

void QtPainterCanvas::DrawDottedRect(int x, int y, int w, int h, std::uint32_t colour) {
    if (w <= 0 || h <= 0)
        return;
    const QColor c = FromBgr(colour);
    // One-pixel dots and gaps, walking the outline.
    for (int i = 0; i < w; i += 2) {
        p_.fillRect(x + i, y, 1, 1, c);
        p_.fillRect(x + i, y + h - 1, 1, 1, c);
    }
    for (int j = 0; j < h; j += 2) {
        p_.fillRect(x, y + j, 1, 1, c);
        p_.fillRect(x + w - 1, y + j, 1, 1, c);
    }
}

void QtPainterCanvas::SetClip(int x, int y, int w, int h) {
    if (clipped_)
        p_.restore();
    p_.save();
    clipped_ = true;
    p_.setClipRect(x, y, w, h, p_.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
}

void QtPainterCanvas::ResetClip() {
    if (clipped_)
        p_.restore();
    clipped_ = false;
}

}  // namespace varnel::qt
