// The wire format through which programs answer for their windows on the command
// channel (socket <owner>.windows): window queries, bringing one to the front, and
// key events for it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/KeySink.h"

namespace varnel::link {

inline constexpr std::string_view kWindowsTopic = "Windows";

// A decoded window macro.
struct WindowRequest {
    std::string verb;  // "Find", "Front" or "Keys"
    std::string kind;  // "class" or "title"
    std::string name;
    std::vector<platform::KeyEvent> keys;  // Keys only
};

// [Find("class","PeLk:MaIn")], [Front("title","...")],
// [Keys("class","PeLk:MaIn","12d 46d 46u 12u 28dx 28ux")]; nullopt for a name that
// cannot stand between quotes.
std::optional<std::string> WindowMacro(std::string_view verb, std::string_view kind,
                                       std::string_view name);
std::optional<std::string> KeysMacro(std::string_view kind, std::string_view name,
                                     const std::vector<platform::KeyEvent>& keys);

// Key events as text: two hex digits of the key code, "d" or "u", and "x" for an
// extended key; blank-separated.
std::string EncodeKeyEvents(const std::vector<platform::KeyEvent>& keys);
std::optional<std::vector<platform::KeyEvent>> DecodeKeyEvents(std::string_view text);

std::optional<WindowRequest> ParseWindowMacro(std::string_view macro);

}  // namespace varnel::link
