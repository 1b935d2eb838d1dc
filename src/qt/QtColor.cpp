// Colour mapping.
#include "qt/QtColor.h"

namespace varnel::qt {
namespace {

// The system colour numbers that settings files carry, mapped to the nearest role.
QPalette::ColorRole RoleOfSystemColor(unsigned index) {
    switch (index) {
        case 5:  // window background
            return QPalette::Base;
        case 8:  // window text
            return QPalette::Text;
        case 7:  // menu text
        case 9:  // caption text
            return QPalette::WindowText;
        case 13:  // highlight
        case 29:  // menu highlight
            return QPalette::Highlight;
        case 14:
            return QPalette::HighlightedText;
        case 15:  // button face
            return QPalette::Button;
        case 16:  // button shadow
            return QPalette::Dark;
        case 17:  // grey text
            return QPalette::PlaceholderText;
        case 18:
            return QPalette::ButtonText;
        case 20:
            return QPalette::Light;
        case 21:
            return QPalette::Shadow;
        case 22:
            return QPalette::Midlight;
        case 23:
            return QPalette::ToolTipText;
        case 24:
            return QPalette::ToolTipBase;
        case 26:  // hot-tracked item
            return QPalette::Link;
        default:  // desktop, captions, borders, menus, work space
            return QPalette::Window;
    }
}

}  // namespace

QColor ToQColor(platform::StoredColor stored, const QPalette& palette) {
    if ((stored & 0xFF000000u) == 0xFF000000u)
        return palette.color(QPalette::Active, RoleOfSystemColor(stored & 0xFFu));
    return QColor(static_cast<int>(stored & 0xFF), static_cast<int>((stored >> 8) & 0xFF),
                  static_cast<int>((stored >> 16) & 0xFF));
}

}  // namespace varnel::qt
