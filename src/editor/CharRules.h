// Character boundaries and classes on editor lines, honouring the single-byte mode in
// which every byte is a character of its own.
#pragma once

#include <cstddef>
#include <string_view>

namespace varnel::editor {

struct CharRules {
    bool singleByte = false;

    // 2 for a double-byte character (lead with a valid trail), 1 otherwise, 0 at the end.
    std::size_t Length(std::string_view s, std::size_t pos) const;
    bool IsDoubleByteAt(std::string_view s, std::size_t pos) const;
    // pos moved back onto the start of its character (clamped to the size).
    std::size_t Snap(std::string_view s, std::size_t pos) const;
    std::size_t Next(std::string_view s, std::size_t pos) const;
    std::size_t Prev(std::string_view s, std::size_t pos) const;
    // Word class of the character at pos (see text::WordClassOfCode); -1 at the end.
    int WordClassAt(std::string_view s, std::size_t pos) const;
};

}  // namespace varnel::editor
