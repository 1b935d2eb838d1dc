// The text transforms behind the character conversion commands: half-width/full-width
// switch, the letter-case cycle, older kanji typefaces and the pick-list choice. Text
// is CP932; only ASCII letters and the table characters change.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace varnel::tools {

// Switches s between half-width and full-width: the first character found in either
// table decides the direction, and from it on every character of the other width is
// replaced by its partner. Characters before it, and s without table characters, stay.
std::string SwitchWidth(std::string_view s);

// The case cycle: mixed case -> upper case -> lower case -> sentence case.
std::string CycleCase(std::string_view s);
// Lower-cases s and capitalises the first letter and each letter after ". ".
std::string SentenceCase(std::string_view s);

// Each two-byte character of s that begins a line of table (file order, first match)
// is replaced by the rest of that line; the inserted text is not looked up again.
std::string OldTypeface(std::string_view s, const std::vector<std::string>& table);

// What a click on entries[index] inserts: the entry, or, when the first entry is one
// character and this one two, its first character (second with Shift). singleByte
// counts every byte as a character (the European list).
std::string PickedText(const std::vector<std::string>& entries, std::size_t index, bool shift,
                       bool singleByte);

}  // namespace varnel::tools
