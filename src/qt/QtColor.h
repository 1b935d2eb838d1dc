// Stored colours (0x00BBGGRR, or 0xFF0000nn for a system colour) as Qt colours.
#pragma once

#include <QColor>
#include <QPalette>

#include "platform/MainView.h"

namespace varnel::qt {

// An RGB colour as stored; a system colour through the palette role that stands for it
// (window background, window text, highlight, button face, ...).
QColor ToQColor(platform::StoredColor stored, const QPalette& palette);

}  // namespace varnel::qt
