// The paired tables of the half-width/full-width switch: 94 ASCII characters and the
// two-byte Shift_JIS characters at the same positions.
#pragma once

#include <array>
#include <cstdint>

namespace varnel::tools {

inline constexpr int kWidthTableSize = 94;

// The one-byte characters, in table order: 0x21-0x40, 0x5B-0x60, 0x7B-0x7E, A-Z, a-z.
const std::array<unsigned char, kWidthTableSize>& HalfWidthTable();
// The two-byte characters (lead * 256 + trail) at the same positions.
const std::array<std::uint16_t, kWidthTableSize>& FullWidthTable();

// Position of a character in its table, or -1.
int HalfWidthIndex(unsigned char c);
int FullWidthIndex(std::uint16_t code);

}  // namespace varnel::tools
