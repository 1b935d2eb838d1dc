// The shortcuts of the window's commands: the design-time keys, the keys of section
// "Key", and the rule that plain keys act as commands only while nothing can be typed.
#pragma once

#include <cstdint>
#include <vector>

#include "app/CommandTable.h"
#include "app/Settings.h"

namespace varnel::app {

// Key codes: low byte the virtual key, high byte the modifiers (1 Shift, 2 Ctrl, 4 Alt).
inline constexpr int kCtrl = 0x200;
inline constexpr int kShiftCtrl = 0x300;

// The key codes that run command c. A "Key" setting that is not 0 gives its key; a plain
// or Shift key (not a function key) only while plainKeysActive (viewer mode, no find or
// replace dialog open). Cut, Copy, Paste, Select All and Undo keep their design-time
// Ctrl keys. Save gets Ctrl+S, Redo Ctrl+Y and Ctrl+Shift+Z, Find Ctrl+F, Find Next F3
// and Replace Ctrl+H, while their own setting is 0 (or they have none) and no other
// setting takes that key.
std::vector<int> ShortcutsOf(const CommandSpec& c, const KeySettings& keys, bool plainKeysActive);

// The key code of a key event: the modifier byte counts only when it is one of the seven
// combinations of Shift (1), Ctrl (2) and Alt (4).
int KeyCodeOfEvent(std::uint16_t key, std::uint8_t shift);

// Whether a stored key code (not 0) is a shortcut now: function keys and codes with Ctrl
// or more always, plain and Shift keys only while plainKeysActive.
bool ShortcutApplies(int code, bool plainKeysActive);

}  // namespace varnel::app
