// A bracketed macro taken apart: "[Move(T,F,N)]" gives Move and its three arguments.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pelkmail {

struct MacroCall {
    std::string name;
    std::vector<std::string> args;  // quotes removed
};

// Arguments are split at commas outside double quotes; "[Receive]" has none.
std::optional<MacroCall> ParseMacroCall(std::string_view macro);

}  // namespace pelkmail
