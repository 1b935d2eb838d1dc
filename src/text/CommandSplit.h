// Splitting a command string into a program and its arguments by shell-like quoting,
// without any expansion, so that programs can be started without a shell.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace varnel::text {

// Words are separated by blanks, tabs, CR and LF. Inside single quotes every byte is
// literal; inside double quotes a backslash escapes only ", \, $ and ` (elsewhere it is
// kept); outside quotes a backslash makes the next character literal. Adjacent quoted
// and unquoted pieces join into one word, and "" gives an empty word. Nothing is
// expanded: $, ~, *, ` and the like stay as they are. The walk is double-byte aware, so
// a CP932 trail byte 0x5C is never taken for a backslash.
//
// Returns false, with words cleared and error set, for an unterminated quote or a
// trailing lone backslash.
bool SplitCommand(std::string_view command, std::vector<std::string>& words,
                  std::string* error = nullptr);

}  // namespace varnel::text
