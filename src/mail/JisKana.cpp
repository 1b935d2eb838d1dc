// Half-width and full-width katakana in JIS text.
#include "mail/JisKana.h"

#include <array>

namespace varnel::mail {
namespace {

// Full-width codes of the JIS X 0201 katakana 0x21-0x5F, in order.
constexpr std::array<std::uint16_t, 63> kFull = {
    0x2123, 0x2156, 0x2157, 0x2122, 0x2126, 0x2572, 0x2521, 0x2523, 0x2525, 0x2527, 0x2529,
    0x2563, 0x2565, 0x2567, 0x2543, 0x213C, 0x2522, 0x2524, 0x2526, 0x2528, 0x252A, 0x252B,
    0x252D, 0x252F, 0x2531, 0x2533, 0x2535, 0x2537, 0x2539, 0x253B, 0x253D, 0x253F, 0x2541,
    0x2544, 0x2546, 0x2548, 0x254A, 0x254B, 0x254C, 0x254D, 0x254E, 0x254F, 0x2552, 0x2555,
    0x2558, 0x255B, 0x255E, 0x255F, 0x2560, 0x2561, 0x2562, 0x2564, 0x2566, 0x2568, 0x2569,
    0x256A, 0x256B, 0x256C, 0x256D, 0x256F, 0x2573, 0x212B, 0x212C,
};

constexpr std::uint16_t kVoicedVu = 0x2574;  // ヴ

bool TakesVoiced(unsigned char c) {
    return (c >= 0x36 && c <= 0x44) || (c >= 0x4A && c <= 0x4E);
}
bool TakesSemiVoiced(unsigned char c) {
    return c >= 0x4A && c <= 0x4E;
}

void AppendCode(std::string& out, std::uint16_t code) {
    out += static_cast<char>(code >> 8);
    out += static_cast<char>(code & 0xFF);
}

}  // namespace

std::uint16_t FullWidthKanaCode(unsigned char c) {
    return c >= 0x21 && c <= 0x5F ? kFull[c - 0x21] : 0;
}

void JisKanaToFullWidth(std::string& text) {
    std::string out;
    std::size_t pos = 0;
    while (true) {
        const std::size_t p = text.find("\x1b(I", pos);
        if (p == std::string::npos)
            break;
        out.append(text, pos, p - pos);
        out += "\x1b$B";
        std::size_t i = p + 3;
        const std::size_t runStart = i;
        for (; i < text.size() && text[i] != '\x1b'; ++i) {
            const auto c = static_cast<unsigned char>(text[i]);
            const auto prev = i > runStart ? static_cast<unsigned char>(text[i - 1]) : 0;
            const std::uint16_t code = FullWidthKanaCode(c);
            if (code == 0) {
                out += text[i];
                continue;
            }
            const bool lastIsKana = i > runStart && FullWidthKanaCode(prev) != 0;
            if (c == 0x5E && lastIsKana && (TakesVoiced(prev) || prev == 0x33)) {
                const std::uint16_t voiced = prev == 0x33 ? kVoicedVu : FullWidthKanaCode(prev) + 1;
                out.resize(out.size() - 2);
                AppendCode(out, voiced);
            } else if (c == 0x5F && lastIsKana && TakesSemiVoiced(prev)) {
                out.resize(out.size() - 2);
                AppendCode(out, FullWidthKanaCode(prev) + 2);
            } else {
                AppendCode(out, code);
            }
        }
        pos = i;
    }
    if (pos == 0)
        return;
    out.append(text, pos);
    text = std::move(out);
}

std::string HalfWidthKanaBytes(unsigned char j1, unsigned char j2) {
    const auto code = static_cast<std::uint16_t>((j1 << 8) | j2);
    for (unsigned char c = 0x21; c <= 0x5F; ++c) {
        const std::uint16_t f = FullWidthKanaCode(c);
        if (f == code)
            return std::string(1, static_cast<char>(c));
        if (TakesVoiced(c) && f + 1 == code)
            return std::string{static_cast<char>(c), '\x5e'};
        if (TakesSemiVoiced(c) && f + 2 == code)
            return std::string{static_cast<char>(c), '\x5f'};
    }
    if (code == kVoicedVu)
        return "\x33\x5e";
    return {};
}

}  // namespace varnel::mail
