// Character boundaries and classes on editor lines.
#include "editor/CharRules.h"

#include "text/Sjis.h"

namespace varnel::editor {

bool CharRules::IsDoubleByteAt(std::string_view s, std::size_t pos) const {
    return !singleByte && text::IsDoubleByteAt(s, pos);
}

std::size_t CharRules::Length(std::string_view s, std::size_t pos) const {
    if (pos >= s.size())
        return 0;
    return IsDoubleByteAt(s, pos) ? 2 : 1;
}

std::size_t CharRules::Snap(std::string_view s, std::size_t pos) const {
    if (pos >= s.size())
        return s.size();
    return singleByte ? pos : text::SnapToCharStart(s, pos);
}

std::size_t CharRules::Next(std::string_view s, std::size_t pos) const {
    return pos >= s.size() ? s.size() : pos + Length(s, pos);
}

std::size_t CharRules::Prev(std::string_view s, std::size_t pos) const {
    if (pos == 0)
        return 0;
    if (pos > s.size())
        pos = s.size();
    return singleByte ? pos - 1 : text::PrevCharPos(s, pos);
}

int CharRules::WordClassAt(std::string_view s, std::size_t pos) const {
    if (pos >= s.size())
        return -1;
    const auto b = static_cast<unsigned char>(s[pos]);
    if (IsDoubleByteAt(s, pos))
        return text::WordClassOfCode(b * 256u + static_cast<unsigned char>(s[pos + 1]));
    return text::WordClassOfCode(b);
}

}  // namespace varnel::editor
