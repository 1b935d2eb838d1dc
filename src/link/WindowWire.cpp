// Window macros: building and parsing.
#include "link/WindowWire.h"

#include <cstdio>

#include "link/MailerMacros.h"
#include "text/HexEscape.h"

namespace varnel::link {

using platform::KeyEvent;

namespace {

std::string Quoted(std::string_view s) {
    return "\"" + std::string(s) + "\"";
}

// Splits the quoted arguments of "Verb("a","b",...)" ; nullopt when malformed.
std::optional<std::vector<std::string>> QuotedArgs(std::string_view s) {
    std::vector<std::string> args;
    std::size_t i = 0;
    while (i < s.size()) {
        if (s[i] != '"')
            return std::nullopt;
        const std::size_t close = s.find('"', i + 1);
        if (close == std::string_view::npos)
            return std::nullopt;
        args.emplace_back(s.substr(i + 1, close - i - 1));
        i = close + 1;
        if (i < s.size()) {
            if (s[i] != ',')
                return std::nullopt;
            ++i;
        }
    }
    return args;
}

}  // namespace

std::optional<std::string> WindowMacro(std::string_view verb, std::string_view kind,
                                       std::string_view name) {
    if (!IsSafeQuotedField(name) || name.empty())
        return std::nullopt;
    return "[" + std::string(verb) + "(" + Quoted(kind) + "," + Quoted(name) + ")]";
}

std::optional<std::string> KeysMacro(std::string_view kind, std::string_view name,
                                     const std::vector<KeyEvent>& keys) {
    if (!IsSafeQuotedField(name) || name.empty())
        return std::nullopt;
    return "[Keys(" + Quoted(kind) + "," + Quoted(name) + "," + Quoted(EncodeKeyEvents(keys)) +
           ")]";
}

std::string EncodeKeyEvents(const std::vector<KeyEvent>& keys) {
    std::string s;
    char buf[8];
    for (const KeyEvent& k : keys) {
        if (!s.empty())
            s += ' ';
        std::snprintf(buf, sizeof buf, "%02X%c%s", k.vk, k.down ? 'd' : 'u', k.extended ? "x" : "");
        s += buf;
    }
    return s;
}

std::optional<std::vector<KeyEvent>> DecodeKeyEvents(std::string_view text) {
    std::vector<KeyEvent> keys;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t end = std::min(text.find(' ', i), text.size());
        const std::string_view tok = text.substr(i, end - i);
        i = end + 1;
        if (tok.size() < 3 || tok.size() > 4)
            return std::nullopt;
        const int hi = text::HexDigitValue(tok[0]), lo = text::HexDigitValue(tok[1]);
        if (hi < 0 || lo < 0 || (tok[2] != 'd' && tok[2] != 'u') ||
            (tok.size() == 4 && tok[3] != 'x'))
            return std::nullopt;
        keys.push_back(
            KeyEvent{static_cast<std::uint8_t>(hi * 16 + lo), tok[2] == 'd', tok.size() == 4});
    }
    return keys;
}

std::optional<WindowRequest> ParseWindowMacro(std::string_view macro) {
    if (macro.size() < 4 || macro.front() != '[' || !macro.ends_with(")]"))
        return std::nullopt;
    const std::size_t open = macro.find('(');
    if (open == std::string_view::npos)
        return std::nullopt;
    WindowRequest r;
    r.verb = std::string(macro.substr(1, open - 1));
    const auto args = QuotedArgs(macro.substr(open + 1, macro.size() - open - 3));
    if (!args || args->size() < 2 || ((*args)[0] != "class" && (*args)[0] != "title"))
        return std::nullopt;
    r.kind = (*args)[0];
    r.name = (*args)[1];
    if (r.verb == "Keys") {
        if (args->size() != 3)
            return std::nullopt;
        auto keys = DecodeKeyEvents((*args)[2]);
        if (!keys)
            return std::nullopt;
        r.keys = std::move(*keys);
    } else if ((r.verb != "Find" && r.verb != "Front") || args->size() != 2) {
        return std::nullopt;
    }
    return r;
}

}  // namespace varnel::link
