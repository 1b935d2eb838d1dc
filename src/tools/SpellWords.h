// Cutting English words out of a CP932 paragraph for the spelling check: character
// classes and the search for the next word.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace varnel::tools {

enum class SpellClass {
    Blank,
    Letter,
    Numeric,
    Separator,
    Apostrophe,
    Punctuation,
    Other,
    DoubleByte
};

struct SpellCharSets {
    std::string alpha;    // word punctuation ("Alpha")
    std::string numeric;  // characters that count as numeric ("Numeric")
};

// Class of the character at pos (a double-byte character is one DoubleByte).
SpellClass SpellClassAt(std::string_view s, std::size_t pos, const SpellCharSets& sets);

struct SpellWord {
    bool found = false;
    std::size_t start = 0;   // first byte of the word
    std::size_t length = 0;  // without the cut trailing punctuation
    std::size_t end = 0;     // where the scan goes on (after the trailing punctuation)
    char trailingMark = 0;   // first trailing punctuation cut off, 0 for none
    bool doubleTest = true;  // only blanks lay between the previous word and this one
    bool address = false;    // "http", "https" or "ftp": end skips the address
};

// The next word of s at or after pos. The character at pos is not held against the
// double-word test (it usually ends the previous word).
SpellWord NextSpellWord(std::string_view s, std::size_t pos, const SpellCharSets& sets);

}  // namespace varnel::tools
