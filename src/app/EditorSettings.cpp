// View settings into editor properties.
#include "app/EditorSettings.h"

#include <algorithm>

#include "editor/SonEdit.h"

namespace varnel::app {

namespace {
editor::TColor Colour(int stored) {
    return static_cast<editor::TColor>(stored);
}
}  // namespace

void ApplyViewSettingsToEditor(const ViewSettings& v, editor::TSonEdit& edit) {
    editor::PaintProperties& look = edit;
    edit.SetTopMargin(look.TopMarginFor(v.TopMargin));
    edit.SetLeftMargin(v.LeftMargin);
    edit.SetLineSpace(v.LineSpace);
    edit.SetTabCount(v.TabCount);
    look.ShowCR = v.ShowCR;
    look.ShowDblSpace = v.ShowDblSpace;
    look.ShowEOF = v.ShowEOF;
    look.ShowTAB = v.ShowTab;
    look.CREOFcolor = Colour(v.CrEofColor);
    // Automatic wrapping wraps at the window edge: the column is then as wide as the
    // editor allows; without it the column is out of reach.
    edit.SetAutoWrap(v.WordWrap);
    edit.SetColumn(v.WordWrap ? (32767 / std::max(1, edit.CellWidth())) / 2 : 32760);
    look.QuotMarkColor = Colour(v.QuoteFontColor);
    look.SubjectColor = Colour(v.SubjectFontColor);
    look.DateColor = Colour(v.DateFontColor);
    look.FromColor = Colour(v.FromFontColor);
    look.UlineColor = Colour(v.UlineColor);
    look.ShowUnderLine = v.UnderLine;
    edit.SetShowLineNumber(v.LineNum);
    edit.CaretScrollFix = v.FixCursor;
    look.QuotMarkStr = v.QuoteStr;
    look.URLColor = Colour(v.UrlFontColor);
    look.SelColor = Colour(v.SelColor);
}

}  // namespace varnel::app
