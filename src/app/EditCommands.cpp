// The window's small editing commands and the command keys.
#include "app/SettingsLoader.h"
#include "app/Shortcuts.h"
#include "app/TForm1.h"

namespace varnel::app {

void TForm1::Undo2Click() {
    if (sonEdit1_.Modified())
        sonEdit1_.Undo();
}

void TForm1::Redo1Click() {
    if (sonEdit1_.RedoMode())
        sonEdit1_.Redo();
}

void TForm1::Cut1Click() {
    if (!sonEdit1_.ReadOnly)
        sonEdit1_.CutToClipboard();
}

void TForm1::Copy1Click() {
    sonEdit1_.CopyToClipboard();
}

void TForm1::Paste1Click() {
    if (!sonEdit1_.ReadOnly)
        sonEdit1_.PasteFromClipboard();
}

void TForm1::SelectAll1Click() {
    sonEdit1_.SelectAll();
}

void TForm1::AssignShortcuts() {
    const bool plainKeys = PlainKeysActive();
    for (const CommandSpec& c : Commands())
        io_.view.SetShortcuts(c.name, ShortcutsOf(c, settings_.key, plainKeys));
    AssignUserMenuShortcuts(plainKeys);
}

}  // namespace varnel::app
