// Keystroke macros ("%(F)T", "{DOWN 3}", "^V") parsed into key events.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/KeySink.h"

namespace varnel::link {

struct KeyMacroResult {
    std::vector<platform::KeyEvent> events;
    // False for an empty macro and for a key name without its closing brace.
    bool complete = false;
    // User messages, in order: "No Close", "Invalid Key Name", "Invalid KeyName".
    std::vector<std::string> problems;
    // For each problem, the number of events before it.
    std::vector<std::size_t> problemAt;
};

// "+" "^" "%" hold Shift, Ctrl, Alt for the next key, or for a "(...)" group; "~" is
// Enter; "{NAME}" or "{NAME n}" names a key (n repeats, at most kMaxKeyRepeat); other
// characters are typed as on a US keyboard. Modifiers held by the macro are always
// released before it ends, also when it ends early.
KeyMacroResult ParseKeyMacro(std::string_view macro);

inline constexpr int kMaxKeyRepeat = 100;

// Virtual-key code for a key name of the brace syntax ("DOWN", "F5", any case); 0
// when unknown.
unsigned KeyNameCode(std::string_view name);

}  // namespace varnel::link
