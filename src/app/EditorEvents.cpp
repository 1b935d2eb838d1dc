// The editor control's events as the main window follows them.
#include "app/TForm1.h"

namespace varnel::app {

// Undo follows the modified flag, and so does autosave.
void TForm1::OnChangeModify(bool modified) {
    io_.view.SetEnabled("Undo2", modified);
    RestartAutosave();
}

void TForm1::OnChangeRedoMode(bool redo) {
    io_.view.SetEnabled("Redo1", redo);
}

// Seam: a click on a link opens it.
void TForm1::SonEdit1MouseUp(int, int) {}

// Seam: a double click opens the link under the caret.
void TForm1::SonEdit1DblClick() {}

// Seam: the editor's pop-up menu opens at the pointer.
void TForm1::SonEdit1ContextMenu(int, int) {}

}  // namespace varnel::app
