// The one table of window commands: component name, menu, English and Japanese
// captions, the "Key" setting that holds its shortcut, and the TForm1 handler. Menus,
// the tool bar, configured keys and the command channel all dispatch through it.
#pragma once

#include <span>
#include <string_view>

#include "app/Settings.h"
#include "text/Message.h"

namespace varnel::app {

class TForm1;

// A state test on the window: whether an item can act now, or is shown.
using CommandPredicate = bool (*)(const TForm1&);

// Where a menu's items appear.
enum class MenuKind {
    Bar,      // the menu bar, or a submenu when it has a parent
    Popup,    // the editor's pop-up menu
    ToolBar,  // the buttons of the tool bar; the caption is the button's hint
};

// A menu of the menu bar, a submenu, the pop-up menu or the tool bar. Submenus follow
// the items of their parent menu, in table order.
struct MenuSpec {
    std::string_view name;  // component name, e.g. "File1"
    text::Message caption;
    std::string_view parent = {};  // the menu it is a submenu of ("" for the menu bar)
    MenuKind kind = MenuKind::Bar;
};

struct CommandSpec {
    std::string_view name;        // component name of the menu item, e.g. "Exit1"
    std::string_view menu;        // name of the menu it sits in
    text::Message caption;        // "&" marks the access key
    std::string_view keySetting;  // key of section "Key" holding its shortcut ("" for none)
    bool checkable;               // the item carries a check mark
    // nullptr while the command is not available yet: its item is shown disabled.
    void (TForm1::*handler)();
    bool separatorBefore = false;        // a separator line stands before the item
    CommandPredicate enabled = nullptr;  // nullptr: the item can always act
    CommandPredicate visible = nullptr;  // nullptr: the item is always shown
    std::string_view icon = {};          // freedesktop icon name (tool bar buttons)
};

std::span<const MenuSpec> Menus();
std::span<const CommandSpec> Commands();
// nullptr when no command has that component name.
const CommandSpec* FindCommand(std::string_view name);
// The command whose "Key" setting holds code (virtual key + 0x100 x modifier), as
// shortcuts apply in the mode; nullptr when none.
const CommandSpec* CommandForKey(const KeySettings& keys, int code, bool viewerMode);
// Runs the named command on form; false when there is no such command or it cannot act
// now (no handler yet, or disabled).
bool RunCommand(TForm1& form, std::string_view name);
// Whether the command's item can be chosen now, and whether it is shown.
bool CommandEnabled(const TForm1& form, const CommandSpec& c);
bool CommandVisible(const TForm1& form, const CommandSpec& c);
// The menu of that name; nullptr when none.
const MenuSpec* FindMenu(std::string_view name);

}  // namespace varnel::app
