// Character conversion transforms, walking the text with the shared Shift_JIS helpers
// so that a trail byte is never taken for a character of its own.
#include "tools/CharConversions.h"

#include "text/Sjis.h"
#include "tools/WidthTables.h"

namespace varnel::tools {
namespace {

std::uint16_t CodeAt(std::string_view s, std::size_t i) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(s[i]) << 8 |
                                      static_cast<unsigned char>(s[i + 1]));
}

void AppendCode(std::string& out, std::uint16_t code) {
    out += static_cast<char>(code >> 8);
    out += static_cast<char>(code & 0xFF);
}

bool IsLower(char c) {
    return c >= 'a' && c <= 'z';
}

}  // namespace

std::string SwitchWidth(std::string_view s) {
    enum class Direction { None, ToFull, ToHalf } dir = Direction::None;
    std::size_t start = 0;
    for (; start < s.size(); start = text::NextCharPos(s, start)) {
        if (text::IsDoubleByteAt(s, start)) {
            if (FullWidthIndex(CodeAt(s, start)) >= 0) {
                dir = Direction::ToHalf;
                break;
            }
        } else if (HalfWidthIndex(static_cast<unsigned char>(s[start])) >= 0) {
            dir = Direction::ToFull;
            break;
        }
    }
    if (dir == Direction::None)
        return std::string(s);

    std::string out(s.substr(0, start));
    for (std::size_t i = start; i < s.size();) {
        const std::size_t n = text::CharLengthAt(s, i);
        int k = -1;
        if (dir == Direction::ToFull && n == 1)
            k = HalfWidthIndex(static_cast<unsigned char>(s[i]));
        else if (dir == Direction::ToHalf && n == 2)
            k = FullWidthIndex(CodeAt(s, i));
        if (k < 0)
            out.append(s.substr(i, n));
        else if (dir == Direction::ToFull)
            AppendCode(out, FullWidthTable()[k]);
        else
            out += static_cast<char>(HalfWidthTable()[k]);
        i += n;
    }
    return out;
}

std::string SentenceCase(std::string_view s) {
    std::string out = text::ToLowerAscii(s);
    bool capitalise = true, afterPeriod = true;
    for (std::size_t i = 0; i < out.size(); i = text::NextCharPos(out, i)) {
        if (text::IsDoubleByteAt(out, i))
            continue;
        const char c = out[i];
        if (c == '.') {
            afterPeriod = true;
        } else if (c == ' ' && afterPeriod) {
            capitalise = true;
        } else {
            afterPeriod = false;
            if (capitalise && IsLower(c)) {
                out[i] = static_cast<char>(c - 'a' + 'A');
                capitalise = false;
            }
        }
    }
    return out;
}

std::string CycleCase(std::string_view s) {
    std::string upper = text::ToUpperAscii(s);
    std::string lower = text::ToLowerAscii(s);
    if (s != upper && s != lower)
        return upper;
    if (s == upper)
        return lower;
    return SentenceCase(s);
}

std::string OldTypeface(std::string_view s, const std::vector<std::string>& table) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = text::CharLengthAt(s, i);
        const std::string_view c = s.substr(i, n);
        const std::string* match = nullptr;
        if (n == 2) {
            for (const std::string& line : table) {
                if (line.size() >= 2 && line.compare(0, 2, c) == 0) {
                    match = &line;
                    break;
                }
            }
        }
        if (match)
            out.append(*match, 2);
        else
            out.append(c);
        i += n;
    }
    return out;
}

std::string PickedText(const std::vector<std::string>& entries, std::size_t index, bool shift,
                       bool singleByte) {
    if (index >= entries.size())
        return {};
    const std::string& entry = entries[index];
    auto count = [singleByte](std::string_view s) {
        return singleByte ? s.size() : text::CharCount(s);
    };
    if (count(entries.front()) != 1 || count(entry) != 2)
        return entry;
    const std::size_t first = singleByte ? 1 : text::CharLengthAt(entry, 0);
    return shift ? entry.substr(first) : entry.substr(0, first);
}

}  // namespace varnel::tools
