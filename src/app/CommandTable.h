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

// A menu of the menu bar, or a submenu.
struct MenuSpec {
    std::string_view name;  // component name, e.g. "File1"
    text::Message caption;
    std::string_view parent = {};  // the menu it is a submenu of ("" for the menu bar)
};

struct CommandSpec {
    std::string_view name;        // component name of the menu item, e.g. "Exit1"
    std::string_view menu;        // name of the menu it sits in
    text::Message caption;        // "&" marks the access key
    std::string_view keySetting;  // key of section "Key" holding its shortcut ("" for none)
    bool checkable;               // the item carries a check mark
    void (TForm1::*handler)();
};

std::span<const MenuSpec> Menus();
std::span<const CommandSpec> Commands();
// nullptr when no command has that component name.
const CommandSpec* FindCommand(std::string_view name);
// The command whose "Key" setting holds code (virtual key + 0x100 x modifier), as
// shortcuts apply in the mode; nullptr when none.
const CommandSpec* CommandForKey(const KeySettings& keys, int code, bool viewerMode);
// Runs the named command on form; false when there is no such command.
bool RunCommand(TForm1& form, std::string_view name);

}  // namespace varnel::app
