// The editor control's events as the main window follows them.
#include "app/TForm1.h"

namespace varnel::app {

// The Undo items follow the modified flag, and so does autosave; the Redo items follow
// the redo state.
void TForm1::OnChangeModify(bool) {
    RefreshCommandStates();
    RestartAutosave();
}

void TForm1::OnChangeRedoMode(bool) {
    RefreshCommandStates();
}

// Seam: a click on a link opens it.
void TForm1::SonEdit1MouseUp(int, int) {}

// A double click opens the link, or the attachment, under the caret.
void TForm1::SonEdit1DblClick() {
    Webbrowser1Click();
}

}  // namespace varnel::app
