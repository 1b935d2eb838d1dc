// The Western single-byte code page, for drawing text shown in the European font.
#include "text/Windows1252.h"

#include <array>

namespace varnel::text {

char16_t Windows1252ToUnicode(unsigned char byte) {
    // 0x80-0x9F; 0 marks the undefined bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D.
    static constexpr std::array<char16_t, 32> kHigh{
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    if (byte >= 0x80 && byte <= 0x9F && kHigh[byte - 0x80] != 0)
        return kHigh[byte - 0x80];
    return byte;
}

}  // namespace varnel::text
