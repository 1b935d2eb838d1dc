// The menus, the pop-up menu and the tool bar as the window's state sets them: which
// items can act, which are shown, the check marks, the user entries and the glyphs of
// the stepping mode.
#include "app/CommandTable.h"
#include "app/EditorSettings.h"
#include "app/Shortcuts.h"
#include "app/TForm1.h"
#include "app/UserMenus.h"
#include "text/Cp932.h"

namespace varnel::app {

void TForm1::RefreshCommandStates() {
    for (const CommandSpec& c : Commands()) {
        io_.view.SetEnabled(c.name, CommandEnabled(*this, c));
        io_.view.SetVisible(c.name, CommandVisible(*this, c));
    }
    io_.view.SetVisible("Reply2", !ReplyStatusEntries(settings_).empty());
    io_.view.SetVisible("Command0", !UserCommandEntries(settings_).empty());
    // Check marks always show the state, also after a command that could not act.
    io_.view.SetChecked("ViewerMode1", sonEdit1_.ReadOnly);
    io_.view.SetChecked("Header1", settings_.view.Header);
    io_.view.SetChecked("Europeanfont1", europeanFontChecked_);
    io_.view.SetChecked("WordWrap1", sonEdit1_.AutoWrap());
    io_.view.SetChecked("Wordwrap2", sonEdit1_.AutoWrap());
    io_.view.SetChecked("Boxselectionmode1", sonEdit1_.BoxSelMode());
    const int mode = settings_.view.NextMailMode;
    io_.view.SetChecked("NumberSearch1", mode == 0);
    io_.view.SetChecked("PelkSearch1", mode == 1);
    io_.view.SetChecked("Pilvo1Search1", mode == 2);
    io_.view.SetChecked("ThreadSearch1", mode == -1);
    // The new-mail glyphs sit on the items that step to new mail: in the mailer's order
    // that is Next new / Previous new, otherwise the mailer menu's Next / Previous.
    const std::string_view nextGlyph = FindCommand("NextNew2")->icon;
    const std::string_view prevGlyph = FindCommand("PrevNew2")->icon;
    const bool pelkOrder = mode == 1;
    io_.view.SetItemIcon("Nextnew1", pelkOrder ? nextGlyph : "");
    io_.view.SetItemIcon("Previousnew1", pelkOrder ? prevGlyph : "");
    io_.view.SetItemIcon("Next2", pelkOrder ? "" : nextGlyph);
    io_.view.SetItemIcon("Prev1", pelkOrder ? "" : prevGlyph);
}

void TForm1::BuildUserMenus() {
    const auto caption = [this](std::string_view prefix,
                                const std::vector<UserMenuEntry>& entries) {
        for (std::size_t k = 0; k < entries.size(); ++k) {
            io_.view.SetCaption(std::string(prefix) + std::to_string(k + 1),
                                text::Cp932ToUtf8(entries[k].caption));
        }
    };
    caption("ReplyStatus", ReplyStatusEntries(settings_));
    caption("Command", UserCommandEntries(settings_));
    caption("Insert", InsertEntries(settings_));
    AssignShortcuts();
    RefreshCommandStates();
}

// Each entry takes the key stored under its own number, by the rule of every other key.
void TForm1::AssignUserMenuShortcuts(bool plainKeysActive) {
    const auto assign = [this, plainKeysActive](std::string_view prefix,
                                                const std::vector<UserMenuEntry>& entries,
                                                std::size_t slots) {
        for (std::size_t k = 0; k < slots; ++k) {
            std::vector<int> codes;
            if (k < entries.size() && ShortcutApplies(entries[k].keyCode, plainKeysActive))
                codes.push_back(entries[k].keyCode);
            io_.view.SetShortcuts(std::string(prefix) + std::to_string(k + 1), codes);
        }
    };
    assign("ReplyStatus", ReplyStatusEntries(settings_), 5);
    assign("Command", UserCommandEntries(settings_), 6);
    assign("Insert", InsertEntries(settings_), 5);
}

void TForm1::InsertUserText(int index) {
    const std::vector<UserMenuEntry> entries = InsertEntries(settings_);
    if (sonEdit1_.ReadOnly || index < 0 || static_cast<std::size_t>(index) >= entries.size())
        return;
    sonEdit1_.SetSelText(InsertionText(entries[static_cast<std::size_t>(index)].text));
}

void TForm1::Delete2Click() {
    if (!sonEdit1_.ReadOnly)
        sonEdit1_.ClearSelection();
}

void TForm1::WordWrap1Click() {
    settings_.view.WordWrap = !settings_.view.WordWrap;
    ApplyViewSettingsToEditor(settings_.view, sonEdit1_);
    ApplyMode();
}

void TForm1::Boxselectionmode1Click() {
    sonEdit1_.SetBoxSelMode(!sonEdit1_.BoxSelMode());
    RefreshCommandStates();
}

void TForm1::PageUp3Click() {
    if (settings_.view.YellowArrowHistory)
        FileHistoryBack();
    else
        PageUp1Click();
}

void TForm1::PageDown3Click() {
    if (settings_.view.YellowArrowHistory)
        FileHistoryAhead();
    else
        PageDown1Click();
}

void TForm1::SonEdit1ContextMenu(int x, int y) {
    RefreshCommandStates();
    io_.view.PopUp("PopupMenu1", x, y);
}

}  // namespace varnel::app
