// Header clean-ups applied to a draft when it is loaded, and where its body begins.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace varnel::mail {

// From line first on, until an empty line or one beginning with "----", removes every
// "\" from the To, Cc and From fields and their continuation lines.
void StripAddressBackslashes(std::vector<std::string>& lines, std::size_t first = 0);

// Removes the header fields named in deleteHeader (as written, e.g. "X-Mailer: Organization:")
// with their continuation lines. Names match whole and in their case: "To:" is not
// part of "Reply-To:". The walk ends at an empty line or one beginning with "-----".
void DeleteHeaderFields(std::vector<std::string>& lines, std::string_view deleteHeader);

// The line for the caret in a draft: the second line after the first line beginning
// with "-----". Without one, the end-of-text line (index lines.size()).
std::size_t PlaceCaretInBody(const std::vector<std::string>& lines);

}  // namespace varnel::mail
