// Double-byte-aware helpers for CP932 (Shift_JIS) byte strings: every search, cut,
// case change and character test in the program goes through these.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace varnel::text {

inline constexpr std::size_t npos = std::string_view::npos;

// 0x81-0x9F or 0xE0-0xFC.
constexpr bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// 0x40-0x7E or 0x80-0xFC.
constexpr bool IsTrailByte(unsigned char c) {
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

// Half-width katakana and its punctuation, 0xA1-0xDF (always one byte).
constexpr bool IsHalfWidthKana(unsigned char c) {
    return c >= 0xA1 && c <= 0xDF;
}

// A lead byte starts a double-byte character only when a valid trail byte follows;
// a lone lead byte before CR, LF, NUL or the end is a single byte.
inline bool IsDoubleByteAt(std::string_view s, std::size_t pos) {
    return pos + 1 < s.size() && IsLeadByte(static_cast<unsigned char>(s[pos])) &&
           IsTrailByte(static_cast<unsigned char>(s[pos + 1]));
}

// Length of the character at pos: 2, 1, or 0 at or past the end.
inline std::size_t CharLengthAt(std::string_view s, std::size_t pos) {
    if (pos >= s.size())
        return 0;
    return IsDoubleByteAt(s, pos) ? 2 : 1;
}

// Offset of the character after the one at pos (clamped to the end).
inline std::size_t NextCharPos(std::string_view s, std::size_t pos) {
    return pos >= s.size() ? s.size() : pos + CharLengthAt(s, pos);
}

// True when pos is the second byte of a double-byte character. Looks back only over
// the run of lead-range bytes before pos, so a forward walk stays linear.
bool IsTrailPosition(std::string_view s, std::size_t pos);

// pos moved back onto the start of the character that contains it (clamped to size).
std::size_t SnapToCharStart(std::string_view s, std::size_t pos);

// Offset of the character before pos (0 stays 0). pos need not be a boundary.
std::size_t PrevCharPos(std::string_view s, std::size_t pos);

// First occurrence of needle at a character boundary, starting at from (which must be
// a boundary); npos when absent. An empty needle is never found.
std::size_t Find(std::string_view hay, std::string_view needle, std::size_t from = 0);

// Last occurrence of needle at a character boundary; npos when absent.
std::size_t FindLast(std::string_view hay, std::string_view needle);

// First single-byte character c at a character boundary (never a trail byte).
std::size_t FindChar(std::string_view hay, char c, std::size_t from = 0);

// First character boundary at which any of the single-byte characters in set stands.
std::size_t FindFirstOf(std::string_view hay, std::string_view set, std::size_t from = 0);

inline bool Contains(std::string_view hay, std::string_view needle) {
    return Find(hay, needle) != npos;
}

// A-Z lowered, a-z raised; trail bytes and everything else untouched.
std::string ToLowerAscii(std::string_view s);
std::string ToUpperAscii(std::string_view s);

// Three-way comparison of the ASCII-lowered forms of a and b (bytes compared unsigned);
// trail bytes are never folded.
int CompareNoCase(std::string_view a, std::string_view b);

// Case-insensitive (ASCII) search at character boundaries.
std::size_t FindNoCase(std::string_view hay, std::string_view needle, std::size_t from = 0);
bool StartsWithNoCase(std::string_view s, std::string_view prefix);

// Removes every single-byte character c standing at a character boundary.
std::string RemoveChar(std::string_view s, char c);

// Replaces every occurrence of from (at character boundaries) by to, scanning on after
// each inserted text so a replacement is never matched again.
std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to);

// Leading and trailing blanks and TABs removed.
std::string_view TrimBlanks(std::string_view s);

// Trailing CRs and LFs removed (neither can be a trail byte).
std::string_view TrimLineEnds(std::string_view s);

// Word class of a character code (a double-byte character as lead * 256 + trail), used
// for word moves and word deletion: 0 hiragana, 1 katakana, 2 kanji and others,
// 3 full-width digits and letters, 4 full-width symbols, 5 half-width katakana,
// 6 ASCII digits and letters, 7 punctuation and control.
int WordClassOfCode(unsigned code);

// Character count (a double-byte character counts once).
std::size_t CharCount(std::string_view s);

}  // namespace varnel::text
