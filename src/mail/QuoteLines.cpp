// Quote marks and the quoted-printable escape on lines.
#include "mail/QuoteLines.h"

#include "text/Sjis.h"

namespace varnel::mail {

namespace {

// "　", "＞", "＃": the full-width marks some mailers quote and indent with.
constexpr std::string_view kWideMarks[] = {"\x81\x40", "\x81\x84", "\x81\x94"};

bool StartsWithWideMark(std::string_view s, std::size_t at) {
    for (std::string_view m : kWideMarks) {
        if (s.substr(at, 2) == m)
            return true;
    }
    return false;
}

}  // namespace

void QuoteLines(std::vector<std::string>& lines, std::string_view mark) {
    const std::string_view shortMark =
        mark.size() == 2 && mark[1] == ' ' ? mark.substr(0, 1) : mark;
    for (std::string& line : lines) {
        const bool quoted = !shortMark.empty() && line.starts_with(shortMark) &&
                            text::CharLengthAt(line, 0) == text::CharLengthAt(shortMark, 0);
        line.insert(0, quoted ? shortMark : mark);
    }
}

std::string QuotePrefix(std::string_view line, std::string_view quoteChar) {
    std::size_t i = 0;
    // Only single-byte characters count: a trail byte never reads as ">" or "|".
    while (i < line.size() && text::CharLengthAt(line, i) == 1 &&
           quoteChar.find(line[i]) != std::string_view::npos)
        ++i;
    if (i == 0) {
        while (text::IsDoubleByteAt(line, i) && StartsWithWideMark(line, i))
            i += 2;
    }
    return std::string(line.substr(0, i));
}

void UnquoteLines(std::vector<std::string>& lines, std::string_view quoteChar) {
    if (lines.empty())
        return;
    const std::string p = QuotePrefix(lines.front(), quoteChar);
    std::string_view t = p;
    while (!t.empty() && t.back() == ' ')
        t.remove_suffix(1);
    for (std::string& line : lines) {
        if (!p.empty() && line.starts_with(p))
            line.erase(0, p.size());
        else if (!t.empty() && line.starts_with(t))
            line.erase(0, t.size());
    }
}

void QEncodeLines(std::vector<std::string>& lines) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (std::string& line : lines) {
        std::string out;
        out.reserve(line.size() * 2);
        for (const char c : line) {
            const auto b = static_cast<unsigned char>(c);
            if (b > 0x7F || c == '=') {
                out += '=';
                out += kHex[b >> 4];
                out += kHex[b & 0x0F];
            } else {
                out += c;
            }
        }
        line = std::move(out);
    }
}

}  // namespace varnel::mail
