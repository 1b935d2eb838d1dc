// What the link reads from outside: keystroke macros, open requests, and macros as the
// stand-in mailer takes them apart.
// Keystroke macros: every key pressed is released, modifiers included, and a macro
// never types more than its repeat limit allows. Open requests: a path taken from a
// request is absolute and asks for itself again. Mailer macros: a macro built from
// fields is taken apart into the same name and fields.
#include <map>
#include <string>

#include "../tools/pelkmail/MacroCall.h"
#include "FuzzInput.h"
#include "link/KeyMacro.h"
#include "link/MailerMacros.h"
#include "link/OpenRequest.h"

using namespace varnel::link;
using varnel::fuzzing::Check;

namespace {

void KeyMacros(const std::string& s) {
    const KeyMacroResult r = ParseKeyMacro(s);
    std::map<int, int> held;
    for (const auto& e : r.events) {
        held[e.vk] += e.down ? 1 : -1;
        Check(held[e.vk] >= 0 && held[e.vk] <= 1, "a key goes down before it goes up");
    }
    for (const auto& [vk, n] : held)
        Check(n == 0, "every key is released");
    Check(r.events.size() <= (s.size() + 1) * 2 * (kMaxKeyRepeat + 4), "repeats are bounded");
}

void OpenRequests(const std::string& s) {
    const auto path = ParseOpenRequest(s, kViewerOpenPrefix);
    Check(!ParseOpenRequest(s, kComposeOpenPrefix), "a compose window takes no request");
    if (!path)
        return;
    Check(!path->empty() && path->front() == '/', "the path is absolute");
    const auto again = OpenRequestFor(*path);
    Check(again && ParseOpenRequest(*again, kViewerOpenPrefix) == path, "round trip");
}

void MailerMacros(const std::string& a, const std::string& b, const std::string& c) {
    pelkmail::ParseMacroCall(a);
    const MailRef m{a, b};
    auto expect = [](const std::optional<std::string>& macro, const char* name,
                     std::vector<std::string> args) {
        if (!macro)
            return;
        const auto call = pelkmail::ParseMacroCall(*macro);
        Check(call && call->name == name && call->args == args, name);
    };
    expect(UpdateMacro(m), "Update", {a, b});
    expect(FocusMacro(m), "Focus", {a, b});
    expect(ReplyMacro(m), "Reply", {a, b});
    expect(ForwardMacro(m), "Forward", {a, b});
    expect(FolderMacro(true, c, m), "Move", {c, a, b});
    expect(FolderMacro(false, c, m), "Copy", {c, a, b});
    expect(CompanionFocusMacro(m), "Focus", {a, b});
    expect(AppendMacro(c), "Append", {c});
    expect(ViewMacro(c), "View", {c});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const auto p = varnel::fuzzing::Parts(data + 1, size - 1, 3);
    switch (data[0] % 3) {
        case 0:
            KeyMacros(p[0] + p[1] + p[2]);
            break;
        case 1:
            OpenRequests(p[0] + p[1] + p[2]);
            break;
        default:
            MailerMacros(p[0], p[1], p[2]);
    }
    return 0;
}
