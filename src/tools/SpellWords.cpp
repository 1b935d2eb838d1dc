// Word cutting for the spelling check.
#include "tools/SpellWords.h"

#include "text/Sjis.h"

namespace varnel::tools {
namespace {

bool InWord(SpellClass c) {
    return c == SpellClass::Letter || c == SpellClass::Apostrophe || c == SpellClass::Numeric ||
           c == SpellClass::Punctuation;
}

}  // namespace

SpellClass SpellClassAt(std::string_view s, std::size_t pos, const SpellCharSets& sets) {
    const unsigned char b = static_cast<unsigned char>(s[pos]);
    if (b >= 0x80)
        return text::IsDoubleByteAt(s, pos) ? SpellClass::DoubleByte : SpellClass::Other;
    if (b == ' ')
        return SpellClass::Blank;
    if (b < 0x20)
        return SpellClass::Other;
    if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z'))
        return SpellClass::Letter;
    if (b >= '0' && b <= '9')
        return SpellClass::Numeric;
    const std::string_view separators = "-/()[]";
    if (separators.find(static_cast<char>(b)) != std::string_view::npos)
        return SpellClass::Separator;
    if (b == '\'')
        return SpellClass::Apostrophe;
    if (sets.numeric.find(static_cast<char>(b)) != std::string::npos)
        return SpellClass::Numeric;
    if (sets.alpha.find(static_cast<char>(b)) != std::string::npos)
        return SpellClass::Punctuation;
    return SpellClass::Other;
}

SpellWord NextSpellWord(std::string_view s, std::size_t pos, const SpellCharSets& sets) {
    SpellWord w;
    std::size_t i = pos;
    while (i < s.size()) {
        const SpellClass c = SpellClassAt(s, i, sets);
        if (c == SpellClass::Letter)
            break;
        if (i != pos && c != SpellClass::Blank)
            w.doubleTest = false;
        i = text::NextCharPos(s, i);
    }
    if (i >= s.size()) {
        w.end = s.size();
        return w;
    }
    w.found = true;
    w.start = i;
    std::size_t j = i;
    while (j < s.size() && InWord(SpellClassAt(s, j, sets)))
        ++j;
    w.end = j;
    std::size_t k = j;
    while (k > i && SpellClassAt(s, k - 1, sets) == SpellClass::Punctuation)
        --k;
    w.length = k - i;
    if (k < j)
        w.trailingMark = s[k];
    const std::string lower = text::ToLowerAscii(s.substr(w.start, w.length));
    if (lower == "http" || lower == "https" || lower == "ftp") {
        w.address = true;
        while (w.end < s.size()) {
            const SpellClass c = SpellClassAt(s, w.end, sets);
            if (c == SpellClass::Blank || c == SpellClass::Other || c == SpellClass::DoubleByte)
                break;
            ++w.end;
        }
    }
    return w;
}

}  // namespace varnel::tools
