// Hex digits and "%XX" / "=XX" escapes, shared by the MIME decoders and the wire formats.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace varnel::text {

// 0-15 for 0-9, A-F, a-f; -1 otherwise.
int HexDigitValue(char c);

// The byte written by the two hex digits at s[i] and s[i + 1]; -1 when either is
// missing or not a hex digit.
int HexPairAt(std::string_view s, std::size_t i);

// Every escape character followed by two hex digits becomes that byte; an escape
// without them stays as text.
std::string DecodeHexEscapes(std::string_view s, char escape);

}  // namespace varnel::text
