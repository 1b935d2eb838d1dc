// Finding a link in a line of the shown text: the link under the caret, or a selection
// that is one link.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace varnel::app {

// Where a link stands in a line: byte offset and length.
struct LinkSpan {
    std::size_t start = 0;
    std::size_t length = 0;
};

// The first link that starts at or after from: it starts at the leftmost "http",
// "ftp:", "mailto:", "file:" or two backslashes (ASCII case ignored) and runs over
// printable ASCII up to the first delimiter or the end of the line; full stops at its end
// are dropped. The scan never reads past the end of line.
std::optional<LinkSpan> NextLink(std::string_view line, std::size_t from);

// The link of line that contains the byte offset column (its end included), or nothing.
std::optional<std::string> LinkAt(std::string_view line, std::size_t column);

// True when the selected text is a link by itself: it starts with "http", "ftp:" or
// "mailto:" and none of these stands later in it.
bool IsLinkSelection(std::string_view selection);

// True when link begins with a URL scheme ("http:", "news:", ...).
bool HasScheme(std::string_view link);

}  // namespace varnel::app
