// Keystroke macro sending: parse, report problems, deliver.
#include "link/KeystrokeSender.h"

#include <algorithm>
#include <vector>

#include "link/KeyMacro.h"

namespace varnel::link {

namespace {

constexpr const char* kCaption = "SendKeys";

}  // namespace

// The keys go out in runs: each problem is shown where it arose, in a plain box titled
// "SendKeys", before the keys after it are sent.
bool KeystrokeSender::SendKeys(std::string_view macro, bool /*wait*/) {
    const KeyMacroResult r = ParseKeyMacro(macro);
    bool delivered = true;
    std::size_t sent = 0;
    auto sendUpTo = [&](std::size_t end) {
        if (end > sent && delivered) {
            delivered = sink_.SendKeyEvents(std::vector<platform::KeyEvent>(
                r.events.begin() + static_cast<std::ptrdiff_t>(sent),
                r.events.begin() + static_cast<std::ptrdiff_t>(end)));
        }
        sent = std::max(sent, end);
    };
    for (std::size_t i = 0; i < r.problems.size(); ++i) {
        sendUpTo(std::min(r.problemAt[i], r.events.size()));
        prompter_.AskTitled(kCaption, r.problems[i], platform::Buttons::Ok,
                            platform::Severity::Information);
    }
    sendUpTo(r.events.size());
    return r.complete && delivered;
}

}  // namespace varnel::link
