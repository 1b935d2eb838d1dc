// The user menus of the settings file: reply-status entries, user commands and text
// insertions. Entries are packed: the k-th entry shown is the k-th one set, whatever its
// number in the file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/Settings.h"

namespace varnel::app {

struct UserMenuEntry {
    int number = 0;       // N of its keys in the settings file
    std::string caption;  // CP932, "&" marks the access key
    std::string text;     // the status text, the command, or the text to insert
    int keyCode = 0;      // its shortcut, 0 for none
};

// "Status"N set.
std::vector<UserMenuEntry> ReplyStatusEntries(const Settings& s);
// "CommandMenu"N and "Command"N both set.
std::vector<UserMenuEntry> UserCommandEntries(const Settings& s);
// "InsertMenu"N and "Insert"N both set.
std::vector<UserMenuEntry> InsertEntries(const Settings& s);

// An insertion text as it goes into the editor: each backslash followed by "n" becomes
// a line break (CR LF). A 0x5C trail byte of a double-byte character is no backslash.
std::string InsertionText(std::string_view text);

}  // namespace varnel::app
