// Shift_JIS look-alikes for the Windows-1252 bytes of a single-byte Western text part.
#pragma once

#include <string>
#include <string_view>

namespace varnel::mail {

// The replacement bytes of a Windows-1252 byte, or empty when it has none.
std::string_view MapLatinByte(unsigned char byte);

// Every byte of a Western line replaced by its look-alike (bytes without one stay);
// nonAscii is set when a byte above 0x7E occurs. The line is not Shift_JIS, so it is
// walked byte by byte.
std::string ConvertLatinLine(std::string_view line, bool& nonAscii);

}  // namespace varnel::mail
