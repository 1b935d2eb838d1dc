// Windows-1252 to Shift_JIS look-alike table.
#include "mail/LatinMap.h"

#include <array>

namespace varnel::mail {
namespace {

struct Entry {
    unsigned char byte;
    std::string_view replacement;
};

// Bytes as written in Shift_JIS; each entry's test checks it against the character the
// Windows-1252 byte stands for.
constexpr Entry kEntries[] = {
    {0x80, "Euro "},     // €
    {0x82, "'"},         // ‚
    {0x84, "\""},        // „
    {0x86, "\x81\xf5"},  // † (a stray quote used to follow it)
    {0x87, "\x81\xf6"},  // ‡
    {0x89, "\x81\xf1"},  // ‰
    {0x91, "'"},         // ‘
    {0x92, "'"},         // ’
    {0x93, "\""},        // “
    {0x94, "\""},        // ”
    {0x95, "."},         // •
    {0x96, "-"},         // –
    {0x97, "-"},         // —
    {0x98, "~"},         // ˜
    {0x99, "(TM)"},      // ™
    {0xA2, "\x81\x91"},  // ¢ as ￠
    {0xA3, "\x81\x92"},  // £ as ￡
    {0xA5, "\\"},        // ¥ (0x5C shows as yen in Japanese fonts)
    {0xA6, ":"},         // ¦
    {0xA7, "\x81\x98"},  // §
    {0xA9, "(C)"},       // ©
    {0xAB, "\x81\xe1"},  // « as ≪
    {0xAE, "(R)"},       // ®
    {0xB0, "\x81\x8b"},  // °
    {0xB1, "\x81\x7d"},  // ±
    {0xB2, "^2 "},       // ²
    {0xB3, "^3 "},       // ³
    {0xB4, "'"},         // ´
    {0xB5, "\x83\xca"},  // µ as μ
    {0xB9, "^1 "},       // ¹
    {0xBB, "\x81\xe2"},  // » as ≫
    {0xBC, " 1/4 "},     // ¼
    {0xBD, " 1/2 "},     // ½
    {0xBE, " 3/4 "},     // ¾
    {0xC5, "\x81\xf0"},  // Å as Å
    {0xD7, "\x81\x7e"},  // ×
    {0xF7, "\x81\x80"},  // ÷
};

constexpr std::array<std::string_view, 256> BuildTable() {
    std::array<std::string_view, 256> t{};
    for (const auto& e : kEntries)
        t[e.byte] = e.replacement;
    return t;
}

constexpr std::array<std::string_view, 256> kTable = BuildTable();

}  // namespace

std::string_view MapLatinByte(unsigned char byte) {
    return kTable[byte];
}

std::string ConvertLatinLine(std::string_view line, bool& nonAscii) {
    std::string out;
    out.reserve(line.size());
    for (const char ch : line) {
        const auto c = static_cast<unsigned char>(ch);
        if (c > 0x7E)
            nonAscii = true;
        const std::string_view r = kTable[c];
        if (r.empty())
            out += ch;
        else
            out += r;
    }
    return out;
}

}  // namespace varnel::mail
