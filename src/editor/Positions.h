// The two kinds of text position the editor uses.
#pragma once

#include <compare>

namespace varnel::editor {

// A place on a display line: line index in the store and byte offset in that line.
struct DisplayPos {
    int line = 0;
    int x = 0;
    auto operator<=>(const DisplayPos&) const = default;
};

// A place in a paragraph: paragraph index and byte offset in its text with the soft
// pieces joined. Journals keep these, as they survive wrapping and unwrapping.
struct LogicalPos {
    int para = 0;
    int offset = 0;
    auto operator<=>(const LogicalPos&) const = default;
};

}  // namespace varnel::editor
