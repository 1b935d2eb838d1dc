// Macro call parsing for the stand-in mailer.
#include "MacroCall.h"

namespace pelkmail {

std::optional<MacroCall> ParseMacroCall(std::string_view macro) {
    if (macro.size() < 3 || macro.front() != '[' || macro.back() != ']')
        return std::nullopt;
    std::string_view body = macro.substr(1, macro.size() - 2);
    MacroCall call;
    const std::size_t open = body.find('(');
    if (open == std::string_view::npos) {
        call.name = std::string(body);
        return call.name.empty() ? std::nullopt : std::optional(call);
    }
    if (body.back() != ')')
        return std::nullopt;
    call.name = std::string(body.substr(0, open));
    std::string_view args = body.substr(open + 1, body.size() - open - 2);
    std::string cur;
    bool quoted = false;
    for (char c : args) {
        if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            call.args.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (quoted)
        return std::nullopt;
    if (!args.empty())
        call.args.push_back(cur);
    return call;
}

}  // namespace pelkmail
