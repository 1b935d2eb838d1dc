// Viewer/editor appearance and the window title.
#include "app/ModeAppearance.h"

#include "mail/MailNames.h"
#include "text/Cp932.h"

namespace varnel::app {

platform::ViewAppearance ComputeAppearance(const ModeOptions& o, const ModeState& s) {
    platform::ViewAppearance a;
    a.readOnly = s.readOnly;
    if (s.readOnly) {
        a.background = s.temporaryViewerColor.value_or(o.ViewerColor);
        a.fontName = o.ViewerFontName;
        a.fontSize = o.ViewerFontSize;
        a.fontColor = o.ViewerFontColor;
    } else {
        a.background = o.EditorColor;
        a.fontName = o.EditorFontName;
        a.fontSize = o.EditorFontSize;
        a.fontColor = o.EditorFontColor;
    }
    if (s.europeanFont) {
        a.fontName = o.EuropeanFontName;
        a.fontSize = o.EuropeanFontSize;
        a.westernCharset = true;
    }
    a.fontName = text::Cp932ToUtf8(a.fontName);
    // Ruler 0 shows the ruler in the editor only, 1 in both modes, negative in neither.
    a.rulerVisible = o.Ruler >= (s.readOnly ? 1 : 0);
    a.toolBarHeight = a.rulerVisible ? (a.fontSize * 12) / 10 + 28 : 27;
    a.toolBarVisible = !o.HideButton;
    a.rulerCaption = o.RulerCaption;
    a.horizontalScrollBar = !o.WordWrap;
    return a;
}

std::string WindowTitle(std::string_view currentMailFile) {
    if (currentMailFile.empty())
        return "Varnel32 - [Untitled]";
    const std::string folder = mail::FileNameOf(mail::DirectoryOf(currentMailFile));
    return "Varnel32 - " + folder + "  " + mail::FileNameOf(currentMailFile);
}

}  // namespace varnel::app
