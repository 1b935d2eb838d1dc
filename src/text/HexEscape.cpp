// Hex digits and hex escapes.
#include "text/HexEscape.h"

namespace varnel::text {

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

int HexPairAt(std::string_view s, std::size_t i) {
    if (i + 1 >= s.size())
        return -1;
    const int h = HexDigitValue(s[i]);
    const int l = HexDigitValue(s[i + 1]);
    return h < 0 || l < 0 ? -1 : h * 16 + l;
}

std::string DecodeHexEscapes(std::string_view s, char escape) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == escape) {
            if (const int b = HexPairAt(s, i + 1); b >= 0) {
                out += static_cast<char>(b);
                i += 2;
                continue;
            }
        }
        out += s[i];
    }
    return out;
}

}  // namespace varnel::text
