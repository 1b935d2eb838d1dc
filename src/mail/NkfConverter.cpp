// ISO-2022-JP and EUC-JP to CP932 by the JIS-to-Shift_JIS arithmetic. Our own converter,
// not iconv: iconv refuses NEC row 13 and half-width kana in JIS, which real mail carries.
#include "mail/NkfConverter.h"

namespace varnel::mail {
namespace {

constexpr char kSubstitute[] = "\x81\xac";  // "〓"

bool IsJisByte(unsigned char c) {
    return c >= 0x21 && c <= 0x7E;
}

// Appends the CP932 code of the JIS X 0208 character (j1, j2), both in 0x21-0x7E.
void AppendJis0208(std::string& out, unsigned char j1, unsigned char j2) {
    const int row = j1 - 0x20;
    // Rows 85-88 and 93-94 have no place in CP932; 89-92 are the NEC-selected IBM
    // extensions (0xED/0xEE), which Windows mailers send in JIS by the same arithmetic.
    if ((row >= 85 && row <= 88) || row >= 93) {
        out += kSubstitute;
        return;
    }
    const int s1 = ((j1 + 1) >> 1) + (j1 <= 0x5E ? 0x70 : 0xB0);
    int s2;
    if (j1 & 1)
        s2 = j2 + (j2 >= 0x60 ? 0x20 : 0x1F);
    else
        s2 = j2 + 0x7E;
    out += static_cast<char>(s1);
    out += static_cast<char>(s2);
}

enum class Mode { Ascii, Kanji, Kana, Supplement };

// Reads an escape sequence at s[i] (s[i] is ESC). Returns its length and sets mode,
// or 0 when the sequence is unknown.
std::size_t ReadEscape(std::string_view s, std::size_t i, Mode& mode) {
    const std::string_view rest = s.substr(i + 1);
    struct Seq {
        std::string_view bytes;
        Mode mode;
    };
    static constexpr Seq kSeqs[] = {
        {"$B", Mode::Kanji},       {"$@", Mode::Kanji},       {"$(B", Mode::Kanji},
        {"$(O", Mode::Kanji},      {"$(Q", Mode::Kanji},      {"(B", Mode::Ascii},
        {"(J", Mode::Ascii},       {"(H", Mode::Ascii},       {"(I", Mode::Kana},
        {"$(D", Mode::Supplement}, {"$(P", Mode::Supplement},
    };
    for (const auto& q : kSeqs) {
        if (rest.substr(0, q.bytes.size()) == q.bytes) {
            mode = q.mode;
            return q.bytes.size() + 1;
        }
    }
    // ESC "&@" announces the 1990 revision of JIS X 0208 before ESC "$B": nothing to do.
    if (rest.substr(0, 2) == "&@")
        return 3;
    return 0;
}

}  // namespace

std::string JisToSjis(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    Mode mode = Mode::Ascii;
    Mode beforeShiftOut = Mode::Ascii;
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c == 0x1B) {
            if (const std::size_t n = ReadEscape(s, i, mode)) {
                i += n;
                continue;
            }
            out += s[i++];
            continue;
        }
        if (c == 0x0E) {  // SO: half-width kana until SI
            if (mode != Mode::Kana)
                beforeShiftOut = mode;
            mode = Mode::Kana;
            ++i;
            continue;
        }
        if (c == 0x0F) {  // SI
            if (mode == Mode::Kana)
                mode = beforeShiftOut;
            ++i;
            continue;
        }
        if (mode == Mode::Kana && c >= 0x21 && c <= 0x5F) {
            out += static_cast<char>(c + 0x80);
            ++i;
            continue;
        }
        if ((mode == Mode::Kanji || mode == Mode::Supplement) && IsJisByte(c) && i + 1 < s.size() &&
            IsJisByte(static_cast<unsigned char>(s[i + 1]))) {
            if (mode == Mode::Kanji)
                AppendJis0208(out, c, static_cast<unsigned char>(s[i + 1]));
            else
                out += kSubstitute;
            i += 2;
            continue;
        }
        out += s[i++];
    }
    return out;
}

std::string EucToSjis(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    std::size_t i = 0;
    auto isEucByte = [&](std::size_t k) {
        if (k >= s.size())
            return false;
        const auto b = static_cast<unsigned char>(s[k]);
        return b >= 0xA1 && b <= 0xFE;
    };
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c == 0x8E && i + 1 < s.size()) {  // SS2: half-width kana
            const auto k = static_cast<unsigned char>(s[i + 1]);
            if (k >= 0xA1 && k <= 0xDF) {
                out += static_cast<char>(k);
                i += 2;
                continue;
            }
        }
        if (c == 0x8F && isEucByte(i + 1) && isEucByte(i + 2)) {  // SS3: JIS X 0212
            out += kSubstitute;
            i += 3;
            continue;
        }
        if (isEucByte(i) && isEucByte(i + 1)) {
            AppendJis0208(out, c & 0x7F, static_cast<unsigned char>(s[i + 1]) & 0x7F);
            i += 2;
            continue;
        }
        out += s[i++];
    }
    return out;
}

std::string NkfConvertString(std::string_view text, std::string_view options) {
    if (options != "-s")
        return std::string(text);
    if (text.find('\x1b') != std::string_view::npos || text.find('\x0e') != std::string_view::npos)
        return JisToSjis(text);
    return EucToSjis(text);
}

}  // namespace varnel::mail
