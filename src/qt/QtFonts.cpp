// Resolving the stored Windows font names.
#include "qt/QtFonts.h"

#include <array>
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
    if (pixelHeight < 0)
        font.setPixelSize(-pixelHeight);
    else
        font.setPointSize(pointSize > 0 ? pointSize : 10);
    return font;
}

}  // namespace varnel::qt
