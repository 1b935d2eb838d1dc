// Resolving the stored Windows font names.
#include "qt/QtFonts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>
#include <utility>

namespace varnel::qt {

namespace {

// Names written by the Windows program (UTF-8 here) and the installed face that keeps
// their cell widths. Arial and the bitmap faces are mapped too: the editor lays text
// out in cells, and a proportional fallback face would look ragged in them.
constexpr std::array<std::pair<std::string_view, std::string_view>, 12> kFaces{{
    {"ＭＳ ゴシック", "IPAGothic"},
    {"MS Gothic", "IPAGothic"},
    {"ＭＳ Ｐゴシック", "IPAGothic"},
    {"MS PGothic", "IPAGothic"},
    {"ＭＳ 明朝", "IPAMincho"},
    {"MS Mincho", "IPAMincho"},
    {"FixedSys", "IPAGothic"},
    {"Terminal", "IPAGothic"},
    {"Courier New", "IPAGothic"},
    {"Courier", "IPAGothic"},
    {"Arial", "IPAGothic"},
    {"Osaka－等幅", "IPAGothic"},
}};

}  // namespace

QString FontFamilyFor(const std::string& storedName) {
    const std::string& utf8 = storedName;
    for (const auto& [name, face] : kFaces) {
        if (QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()))
                .compare(QString::fromStdString(utf8), Qt::CaseInsensitive) == 0)
            return QString::fromUtf8(face.data(), static_cast<qsizetype>(face.size()));
    }
    return QString::fromStdString(utf8);
}

QFont EditorFont(const std::string& storedName, int pointSize, int pixelHeight) {
    QFont font;
    // IPAGothic after the named face: glyphs the face lacks come from a monospace
    // Japanese face rather than a proportional one.
    font.setFamilies(QStringList{FontFamilyFor(storedName), QStringLiteral("IPAGothic")});
    font.setStyleHint(QFont::TypeWriter);
    // Pixel sizes are made even: the half-width glyphs of the Japanese faces are half
    // an em wide, and only an even em gives them the whole-pixel advance of one cell, so
    // that text drawn by others in the same font (the ruler label) keeps to the cells.
    int px = pixelHeight < 0
                 ? -pixelHeight
                 : static_cast<int>(std::lround((pointSize > 0 ? pointSize : 10) * 96.0 / 72.0));
    px = std::max(2, px + (px % 2));
    font.setPixelSize(px);
    return font;
}

}  // namespace varnel::qt
