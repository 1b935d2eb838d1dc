// Limits and main-window defaults of the editor's look.
#include "editor/PaintProperties.h"

#include <algorithm>

namespace varnel::editor {

void PaintProperties::SetRulerCurWidth(int px) {
    rulerCurWidth_ = std::clamp(px, 0, 7);
}

int PaintProperties::TopMarginFor(int topMargin) const {
    return (showRuler_ || showRulerCur_) ? std::max(topMargin, 11) : topMargin;
}

void PaintProperties::ApplyMainWindowDefaults() {
    UlineColor = colours::clFuchsia;
    SubjectColor = colours::clGreen;
    DateColor = colours::clOlive;
    FromColor = colours::clRed;
    ShowTAB = true;
    Font.Height = -19;
}

}  // namespace varnel::editor
