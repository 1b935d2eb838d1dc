// Machine-dependent characters: tables and the one pass over a line.
#include "tools/DependentCharCheck.h"

#include <optional>

#include "text/Sjis.h"

namespace varnel::tools {

namespace {

using Byte = unsigned char;

// Full-width forms of 0xA0-0xDF (0xA0 has none and reads as a full-width blank):
// "　。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノ
//  ハヒフヘホマミムメモヤユヨラリルレロワン゛゜".
constexpr std::string_view kKana =
    "\x81\x40\x81\x42\x81\x75\x81\x76\x81\x41\x81\x45\x83\x92\x83\x40\x83\x42\x83\x44\x83\x46"
    "\x83\x48\x83\x83\x83\x85\x83\x87\x83\x62\x81\x5b\x83\x41\x83\x43\x83\x45\x83\x47\x83\x49"
    "\x83\x4a\x83\x4c\x83\x4e\x83\x50\x83\x52\x83\x54\x83\x56\x83\x58\x83\x5a\x83\x5c\x83\x5e"
    "\x83\x60\x83\x63\x83\x65\x83\x67\x83\x69\x83\x6a\x83\x6b\x83\x6c\x83\x6d\x83\x6e\x83\x71"
    "\x83\x74\x83\x77\x83\x7a\x83\x7d\x83\x7e\x83\x80\x83\x81\x83\x82\x83\x84\x83\x86\x83\x88"
    "\x83\x89\x83\x8a\x83\x8b\x83\x8c\x83\x8d\x83\x8f\x83\x93\x81\x4a\x81\x4b";
// "ガギグゲゴザジズゼゾダヂヅデドバビブベボヴ"
constexpr std::string_view kVoiced =
    "\x83\x4b\x83\x4d\x83\x4f\x83\x51\x83\x53\x83\x55\x83\x57\x83\x59\x83\x5b\x83\x5d\x83\x5f"
    "\x83\x61\x83\x64\x83\x66\x83\x68\x83\x6f\x83\x72\x83\x75\x83\x78\x83\x7b\x83\x94";
// "パピプペポ"
constexpr std::string_view kSemiVoiced = "\x83\x70\x83\x73\x83\x76\x83\x79\x83\x7c";

constexpr Byte kVoicedMark = 0xDE;
constexpr Byte kSemiVoicedMark = 0xDF;

// NEC special characters (0x87xx) with a JIS X 0208 twin (0x81xx).
constexpr struct {
    Byte from, to;
} kNecTwins[] = {{0x90, 0xE0}, {0x91, 0xDF}, {0x92, 0xE7}, {0x95, 0xE3}, {0x96, 0xDB},
                 {0x97, 0xDA}, {0x9A, 0xE6}, {0x9B, 0xBF}, {0x9C, 0xBE}};

bool IsHalfKana(Byte b) {
    return b >= 0xA0 && b <= 0xDF;
}

std::string_view KanaAt(std::string_view table, int index) {
    return table.substr(static_cast<std::size_t>(index) * 2, 2);
}

// The full-width form of a half-width kana byte, combined with a voiced or semi-voiced
// mark that follows (consumed reports whether the mark was used).
std::string_view FullWidthKana(Byte b, std::optional<Byte> mark, bool& consumed) {
    consumed = false;
    if (mark == kVoicedMark) {
        consumed = true;
        if (b >= 0xB6 && b <= 0xC4)  // ｶ-ﾄ
            return KanaAt(kVoiced, b - 0xB6);
        if (b >= 0xCA && b <= 0xCE)  // ﾊ-ﾎ
            return KanaAt(kVoiced, 15 + (b - 0xCA));
        if (b == 0xB3)  // ｳ
            return KanaAt(kVoiced, 20);
        consumed = false;
    } else if (mark == kSemiVoicedMark && b >= 0xCA && b <= 0xCE) {
        consumed = true;
        return KanaAt(kSemiVoiced, b - 0xCA);
    }
    return KanaAt(kKana, b - 0xA0);
}

// IBM extension characters (0xFA40-0xFC4B) to the codes of the same characters that
// the mailer's converter knows: NEC-selected IBM rows (0xED/0xEE) or the NEC row.
void RewriteIbm(Byte& b, Byte& t) {
    if (b == 0xFA && t < 0x5C) {
        if (t <= 0x49) {  // small roman numerals
            b = 0xEE, t = static_cast<Byte>(t + 0xAF);
        } else if (t <= 0x53) {  // roman numerals
            b = 0x87, t = static_cast<Byte>(t + 0x0A);
        } else if (t <= 0x57) {  // ￢ ￤ ＇ ＂
            b = 0xEE, t = static_cast<Byte>(t + 0xA5);
        } else {
            static constexpr Byte kTwins[][2] = {
                {0x87, 0x8A}, {0x87, 0x82}, {0x87, 0x84}, {0x81, 0xE6}};  // ㈱ № ℡ ∵
            b = kTwins[t - 0x58][0], t = kTwins[t - 0x58][1];
        }
        return;
    }
    if (b >= 0xFC && t > 0x4C)
        return;
    int trail = t > 0x7F ? t - 1 : t;
    const int k = (b - 0xFA) * 188 + trail - 0x5C;
    int second = k % 188 + 0x40;
    if (second >= 0x7F)
        ++second;
    b = static_cast<Byte>(k / 188 + 0xED);
    t = static_cast<Byte>(second);
}

void RewriteNec(Byte& b, Byte& t) {
    for (const auto& twin : kNecTwins) {
        if (t == twin.from) {
            b = 0x81, t = twin.to;
            return;
        }
    }
}

// One line. Returns the position of an unsendable character, or npos.
std::size_t CheckLine(std::string_view in, std::size_t index, bool alarm,
                      const DependentCharEvents& ev, std::string& out) {
    out.clear();
    out.reserve(in.size() + 8);
    bool changed = false;
    auto showAt = [&](std::size_t at, DependentChar kind) {
        if (changed && ev.lineChanged) {
            std::string now = out;
            now.append(in.substr(at));
            ev.lineChanged(index, now);
        }
        if (ev.notice)
            ev.notice(index, out.size(), kind);
    };
    std::size_t i = 0;
    while (i < in.size()) {
        const Byte b0 = static_cast<Byte>(in[i]);
        if (IsHalfKana(b0)) {
            const std::optional<Byte> mark = i + 1 < in.size()
                                                 ? std::optional<Byte>(static_cast<Byte>(in[i + 1]))
                                                 : std::nullopt;
            bool consumed = false;
            out += FullWidthKana(b0, mark, consumed);
            i += consumed ? 2 : 1;
            changed = true;
            continue;
        }
        if (!text::IsDoubleByteAt(in, i)) {
            // A single byte, or a lead byte without its trail byte (before CR, LF, NUL,
            // the end or a byte that cannot follow it): no character, left as it is.
            out += in[i++];
            continue;
        }
        Byte b = b0, t = static_cast<Byte>(in[i + 1]);
        if (b >= 0xFA)
            RewriteIbm(b, t);
        else if (b == 0x87)
            RewriteNec(b, t);
        const bool rewritten = b != b0 || t != static_cast<Byte>(in[i + 1]);
        const std::size_t at = out.size();
        out += static_cast<char>(b);
        out += static_cast<char>(t);
        changed = changed || rewritten;
        if (b > 0xEF) {
            out.resize(at);
            showAt(i, DependentChar::Unsendable);
            return i;
        }
        if (alarm && (b >= 0xED || b == 0x87)) {
            out.resize(at);
            // The rewritten character is shown where it stands in the new text.
            std::string keep(1, static_cast<char>(b));
            keep += static_cast<char>(t);
            if (changed && ev.lineChanged) {
                std::string now = out + keep;
                now.append(in.substr(i + 2));
                ev.lineChanged(index, now);
            }
            if (ev.notice)
                ev.notice(index, at,
                          b == 0x87 ? DependentChar::WindowsOnly : DependentChar::OutsideX0208);
            out += keep;
        }
        i += 2;
    }
    return text::npos;
}

}  // namespace

std::string_view DependentCharMessage(DependentChar kind) {
    switch (kind) {
        case DependentChar::WindowsOnly:
            return "Windowsだけで使用されている文字です";
        case DependentChar::OutsideX0208:
            return "JIS X0208:1997に規定されていない文字です";
        case DependentChar::Unsendable:
            break;
    }
    return "送信できない機種依存文字です";
}

std::string RewriteDependentChars(std::string_view line) {
    std::string out;
    const std::size_t stop = CheckLine(line, 0, false, {}, out);
    if (stop != text::npos)
        out.append(line.substr(stop));
    return out;
}

bool CheckDependentChars(std::vector<std::string>& lines, bool alarm,
                         const DependentCharEvents& events) {
    std::string out;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::size_t stop = CheckLine(lines[n], n, alarm, events, out);
        if (stop != text::npos) {
            out.append(std::string_view(lines[n]).substr(stop));
            if (out != lines[n])
                lines[n] = out;
            return true;
        }
        if (out != lines[n]) {
            lines[n] = out;
            if (events.lineChanged)
                events.lineChanged(n, lines[n]);
        }
    }
    return false;
}

bool WantsDependentCharCheck(std::string_view currentFile) {
    return !text::Contains(text::ToLowerAscii(currentFile), ".ini");
}

}  // namespace varnel::tools
