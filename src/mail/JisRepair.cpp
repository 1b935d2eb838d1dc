// Damaged ISO-2022-JP repair.
#include "mail/JisRepair.h"

#include "mail/JisKana.h"

namespace varnel::mail {
namespace {

constexpr std::string_view kKanji = "\x1b$B";
constexpr std::string_view kRoman = "\x1b(J";
constexpr std::string_view kKana = "\x1b(I";

bool At(std::string_view s, std::size_t i, std::string_view what) {
    return s.substr(i, what.size()) == what;
}

bool IsJisByte(char c) {
    return c >= 0x21 && c <= 0x7E;
}

}  // namespace

std::string RepairDamagedJis(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    bool kanji = false;
    std::size_t runStart = 0;  // where the current kanji run's pairs begin
    std::size_t i = 0;
    auto enterKanji = [&](std::size_t at) {
        out += kKanji;
        kanji = true;
        runStart = at;
    };
    while (i < s.size()) {
        if (At(s, i, kKanji)) {
            if (At(s, i + 3, kRoman) || At(s, i + 3, "(J")) {
                out += kRoman;
                kanji = false;
                i += At(s, i + 3, kRoman) ? 6 : 5;
                continue;
            }
            i += 3;
            enterKanji(i);
            continue;
        }
        if (At(s, i, kRoman) && i + 3 < s.size() && s[i + 3] == 'w' && At(s, i + 4, kKanji)) {
            std::size_t j = i + 7;
            std::string kana;
            while (j + 1 < s.size() && s[j] != '\x1b') {
                const std::string h = HalfWidthKanaBytes(static_cast<unsigned char>(s[j]),
                                                         static_cast<unsigned char>(s[j + 1]));
                if (h.empty())
                    break;
                kana += h;
                j += 2;
            }
            if (!kana.empty()) {
                out += kKana;
                out += kana;
                kanji = false;
                i = j;
                if (i < s.size() && s[i] != '\x1b')
                    enterKanji(i);
                continue;
            }
        }
        if (At(s, i, kRoman) && i + 4 < s.size() && s[i + 3] == 'x' &&
            FullWidthKanaCode(static_cast<unsigned char>(s[i + 4])) != 0 && At(s, i + 5, kKanji)) {
            out += kKana;
            out += s[i + 4];
            i += 8;
            enterKanji(i);
            continue;
        }
        if (s[i] == '\x1b') {
            // Any other escape (ISO 2022 syntax: intermediate bytes 0x20-0x2F, then one
            // final byte): copy it whole and follow the mode it sets.
            std::size_t e = i + 1;
            while (e < s.size() && s[e] >= 0x20 && s[e] <= 0x2F)
                ++e;
            if (e < s.size())
                ++e;
            const std::string_view seq = s.substr(i, e - i);
            kanji = seq == "\x1b$@" || seq == "\x1b$(B";
            out += seq;
            i = e;
            runStart = i;
            continue;
        }
        const bool pairStart = kanji && (i - runStart) % 2 == 0;
        if (s[i] == 'y' && !kanji && At(s, i + 1, "$B") && i + 4 < s.size() &&
            IsJisByte(s[i + 3]) && IsJisByte(s[i + 4])) {
            i += 3;
            enterKanji(i);
            continue;
        }
        if (s[i] == 'y' && pairStart && At(s, i + 1, "(J")) {
            out += kRoman;
            kanji = false;
            i += 3;
            continue;
        }
        out += s[i++];
    }
    return out;
}

}  // namespace varnel::mail
