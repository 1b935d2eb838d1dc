// Small text edits of the Decode command.
#pragma once

#include <string>
#include <string_view>

namespace varnel::mail {

// Replaces every occurrence of pattern. As the text is searched again after each change,
// a match that a replacement forms with its neighbours is replaced too; a replacement
// that contains the pattern is not searched again (it would never end).
void ReplaceAllText(std::string& text, std::string_view pattern, std::string_view replacement);

// The text without its leading blanks and TABs.
std::string StripLeadingBlanks(std::string_view text);

}  // namespace varnel::mail
