// Double-byte-aware CP932 helpers.
#include "text/Sjis.h"

#include <cstring>

namespace varnel::text {

bool IsTrailPosition(std::string_view s, std::size_t pos) {
    if (pos == 0 || pos >= s.size())
        return false;
    if (!IsTrailByte(static_cast<unsigned char>(s[pos])))
        return false;
    // Bytes in a run of lead-range bytes pair up from the run's start: the byte before
    // the run is single or ends a pair, so the run begins on a boundary.
    std::size_t r = pos;
    while (r > 0 && IsLeadByte(static_cast<unsigned char>(s[r - 1])))
        --r;
    return ((pos - r) % 2) == 1;
}

std::size_t SnapToCharStart(std::string_view s, std::size_t pos) {
    if (pos >= s.size())
        return s.size();
    return IsTrailPosition(s, pos) ? pos - 1 : pos;
}

std::size_t PrevCharPos(std::string_view s, std::size_t pos) {
    if (pos == 0)
        return 0;
    if (pos > s.size())
        pos = s.size();
    return SnapToCharStart(s, pos - 1);
}

std::size_t Find(std::string_view hay, std::string_view needle, std::size_t from) {
    if (needle.empty() || from >= hay.size())
        return npos;
    // Byte matches come from the library's search; the walk over character boundaries
    // only goes as far as the candidate, which counts when it starts a character.
    std::size_t i = from;
    for (std::size_t p = hay.find(needle, from); p != npos; p = hay.find(needle, p + 1)) {
        while (i < p)
            i += CharLengthAt(hay, i);
        if (i == p)
            return p;
    }
    return npos;
}

std::size_t FindLast(std::string_view hay, std::string_view needle) {
    std::size_t found = npos;
    for (std::size_t p = Find(hay, needle); p != npos; p = Find(hay, needle, NextCharPos(hay, p)))
        found = p;
    return found;
}

std::size_t FindChar(std::string_view hay, char c, std::size_t from) {
    // A byte below 0x40 is neither a lead nor a trail byte, so every occurrence stands
    // at a character boundary and a plain byte search finds the same one.
    if (static_cast<unsigned char>(c) < 0x40)
        return from >= hay.size() ? npos : hay.find(c, from);
    for (std::size_t i = from; i < hay.size(); i += CharLengthAt(hay, i)) {
        if (hay[i] == c && !IsDoubleByteAt(hay, i))
            return i;
    }
    return npos;
}

std::size_t FindFirstOf(std::string_view hay, std::string_view set, std::size_t from) {
    for (std::size_t i = from; i < hay.size(); i += CharLengthAt(hay, i)) {
        if (!IsDoubleByteAt(hay, i) && set.find(hay[i]) != std::string_view::npos)
            return i;
    }
    return npos;
}

namespace {
template <bool Lower>
std::string ChangeCase(std::string_view s) {
    std::string out(s);
    for (std::size_t i = 0; i < out.size();) {
        const std::size_t n = CharLengthAt(out, i);
        if (n == 1) {
            char& c = out[i];
            if (Lower && c >= 'A' && c <= 'Z')
                c = static_cast<char>(c + 32);
            if (!Lower && c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 32);
        }
        i += n;
    }
    return out;
}
}  // namespace

std::string ToLowerAscii(std::string_view s) {
    return ChangeCase<true>(s);
}
std::string ToUpperAscii(std::string_view s) {
    return ChangeCase<false>(s);
}

namespace {
// Walks one string, yielding its bytes with single-byte A-Z lowered.
class FoldedBytes {
  public:
    explicit FoldedBytes(std::string_view s) : s_(s) {}
    bool AtEnd() const { return i_ >= s_.size(); }
    unsigned char Next() {
        unsigned char c = static_cast<unsigned char>(s_[i_]);
        if (trailPending_) {
            trailPending_ = false;
        } else if (IsDoubleByteAt(s_, i_)) {
            trailPending_ = true;
        } else if (c >= 'A' && c <= 'Z') {
            c = static_cast<unsigned char>(c + 32);
        }
        ++i_;
        return c;
    }

  private:
    std::string_view s_;
    std::size_t i_ = 0;
    bool trailPending_ = false;
};
}  // namespace

int CompareNoCase(std::string_view a, std::string_view b) {
    FoldedBytes fa(a), fb(b);
    while (!fa.AtEnd() && !fb.AtEnd()) {
        const unsigned char ca = fa.Next(), cb = fb.Next();
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (fa.AtEnd() && fb.AtEnd())
        return 0;
    return fa.AtEnd() ? -1 : 1;
}

std::size_t FindNoCase(std::string_view hay, std::string_view needle, std::size_t from) {
    // Lowering keeps byte offsets and boundaries, so offsets carry over.
    return Find(ToLowerAscii(hay), ToLowerAscii(needle), from);
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
    if (prefix.size() > s.size())
        return false;
    // Folded byte by byte: every header line is asked, so nothing is copied.
    FoldedBytes fs(s.substr(0, prefix.size())), fp(prefix);
    while (!fp.AtEnd())
        if (fs.Next() != fp.Next())
            return false;
    return true;
}

std::string RemoveChar(std::string_view s, char c) {
    if (static_cast<unsigned char>(c) < 0x40 && s.find(c) == std::string_view::npos)
        return std::string(s);  // see FindChar: such a byte is never inside a character
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = CharLengthAt(s, i);
        if (!(n == 1 && s[i] == c))
            out.append(s.substr(i, n));
        i += n;
    }
    return out;
}

std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to) {
    if (from.empty())
        return std::string(s);
    std::string out;
    out.reserve(s.size());
    std::size_t i = 0;
    for (std::size_t p = Find(s, from); p != npos; p = Find(s, from, i)) {
        out.append(s.substr(i, p - i));
        out.append(to);
        i = p + from.size();
    }
    out.append(s.substr(i));
    return out;
}

std::string_view TrimBlanks(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t'))
        ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t'))
        --e;
    return s.substr(b, e - b);
}

std::string_view TrimLineEnds(std::string_view s) {
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

int WordClassOfCode(unsigned code) {
    if (code <= 0x2F || (code >= 0x3A && code <= 0x3F) || (code >= 0xE0 && code <= 0xFF))
        return 7;
    if (code <= 0x7F)
        return 6;
    if (code >= 0xA6 && code <= 0xDF)
        return 5;
    if ((code >= 0x8140 && code <= 0x824E) || (code >= 0x8397 && code <= 0x889E))
        return 4;
    if (code >= 0x824F && code <= 0x829E)
        return 3;
    if (code >= 0x829F && code <= 0x82FF)
        return 0;
    if (code >= 0x8340 && code <= 0x8396)
        return 1;
    return 2;
}

std::size_t CharCount(std::string_view s) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < s.size(); i += CharLengthAt(s, i))
        ++n;
    return n;
}

}  // namespace varnel::text
