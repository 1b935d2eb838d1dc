// Routines on single display lines: recognising and removing their terminators.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <utility>

namespace varnel::editor {

// A display line ends with CR LF (hard end: end of a paragraph), with NUL (the
// end-of-text line) or with nothing (a soft-wrapped piece; the paragraph goes on).

// True when the line is non-empty and ends with LF or NUL.
inline bool HasHardEnd(std::string_view line) {
    return !line.empty() && (line.back() == '\n' || line.back() == '\0');
}

// True when the line ends with the CR LF pair.
inline bool HasCrLfEnd(std::string_view line) {
    return line.size() >= 2 && line[line.size() - 2] == '\r' && line.back() == '\n';
}

// True when the line ends with the end-of-text NUL.
inline bool HasEofMark(std::string_view line) {
    return !line.empty() && line.back() == '\0';
}

// The line without CR LF (when it ends with LF) or without its NUL; else unchanged.
inline std::string_view StripLineEnd(std::string_view line) {
    if (line.empty())
        return line;
    if (line.back() == '\n')
        return line.substr(0, line.size() >= 2 ? line.size() - 2 : 0);
    if (line.back() == '\0')
        return line.substr(0, line.size() - 1);
    return line;
}

// The line without its end-of-text NUL, if it has one.
inline std::string_view StripEofMark(std::string_view line) {
    return HasEofMark(line) ? line.substr(0, line.size() - 1) : line;
}

// True when the text holds a CR, LF or NUL byte anywhere; eight bytes at a time.
inline bool HasBreakByte(std::string_view text) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    const auto hasZeroByte = [](std::uint64_t w) { return ((w - kOnes) & ~w & (kOnes << 7)) != 0; };
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t w;
        std::memcpy(&w, text.data() + i, 8);
        if (hasZeroByte(w) || hasZeroByte(w ^ (kOnes * '\r')) || hasZeroByte(w ^ (kOnes * '\n')))
            return true;
    }
    for (; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n' || text[i] == '\0')
            return true;
    }
    return false;
}

// Orders two values so that a <= b.
template <typename T>
void OrderPair(T& a, T& b) {
    if (b < a)
        std::swap(a, b);
}

}  // namespace varnel::editor
