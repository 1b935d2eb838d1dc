// The settings of section "View" that are editor properties, applied to the editor
// control and its look.
#pragma once

#include "app/Settings.h"

namespace varnel::editor {
class TSonEdit;
}

namespace varnel::app {

// Margins, line space, tab count, marks and their colour, automatic wrapping with its
// column, colour rules, underline, line numbers and the caret scroll fix.
void ApplyViewSettingsToEditor(const ViewSettings& view, editor::TSonEdit& edit);

}  // namespace varnel::app
