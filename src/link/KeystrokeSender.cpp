// Keystroke macro sending: parse, report problems, deliver.
#include "link/KeystrokeSender.h"

#include "link/KeyMacro.h"

namespace varnel::link {

bool KeystrokeSender::SendKeys(std::string_view macro, bool /*wait*/) {
    const KeyMacroResult r = ParseKeyMacro(macro);
    const bool delivered = r.events.empty() || sink_.SendKeyEvents(r.events);
    for (const std::string& problem : r.problems)
        prompter_.Tell(problem, platform::Severity::Warning);
    return r.complete && delivered;
}

}  // namespace varnel::link
