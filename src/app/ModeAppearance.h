// The look of the viewer and editor modes and the window title, computed from the
// settings so that the window only has to apply it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/MainView.h"

namespace varnel::app {

// The settings the appearance depends on. Font names are CP932 as stored.
struct ModeOptions {
    platform::StoredColor ViewerColor = 12632256;    // silver
    platform::StoredColor EditorColor = 0xFF000005;  // system window background
    platform::StoredColor ViewerFontColor = 0;
    platform::StoredColor EditorFontColor = 0;
    std::string ViewerFontName;
    std::string EditorFontName;
    std::string EuropeanFontName = "Courier New";
    int ViewerFontSize = 14;
    int EditorFontSize = 14;
    int EuropeanFontSize = 14;
    int Ruler = 0;             // 0 editor only, 1 both modes, negative never
    std::string RulerCaption;  // the ruler label, shifted for line numbers
    bool HideButton = false;   // hides the tool bar panel
    bool WordWrap = false;
};

// The window-side inputs: the mode, the European font toggle and the temporary viewer
// colour (the alert colour of the shown mail, when one matched).
struct ModeState {
    bool readOnly = true;
    bool europeanFont = false;
    std::optional<platform::StoredColor> temporaryViewerColor;
};

platform::ViewAppearance ComputeAppearance(const ModeOptions& options, const ModeState& state);

// "Varnel32 - [Untitled]" for no file, else "Varnel32 - " + the name of the file's
// folder directory + two blanks + the file's name. Paths are UTF-8 already.
std::string WindowTitle(std::string_view currentMailFile);

}  // namespace varnel::app
