// Subject keys.
#include "store/SubjectKey.h"

#include "text/Sjis.h"

namespace varnel::store {

namespace {

// Each pass removes at least one byte, so this only guards against a bug.
constexpr int kMaxPasses = 1000;

std::string Bounded(std::string_view s) {
    if (s.size() <= kMaxSubjectKeyBytes)
        return std::string(s);
    return std::string(s.substr(0, text::SnapToCharStart(s, kMaxSubjectKeyBytes)));
}

// Where prefix stands in low at the first or second character position (0-based byte
// offset 0 or 1, the latter only when the first character is a single byte).
std::size_t PrefixAt(std::string_view low, std::string_view prefix) {
    if (low.starts_with(prefix))
        return 0;
    if (text::CharLengthAt(low, 0) == 1 && low.substr(1).starts_with(prefix))
        return 1;
    return text::npos;
}

// s from pos on; a pos inside a double-byte character moves past that character.
std::string From(const std::string& s, std::size_t pos) {
    if (pos < s.size() && text::IsTrailPosition(s, pos))
        ++pos;
    return pos >= s.size() ? std::string() : Bounded(std::string_view(s).substr(pos));
}

}  // namespace

std::string SubjectKey(std::string_view subject) {
    std::string s = Bounded(subject);
    for (int pass = 0; pass < kMaxPasses; ++pass) {
        const std::string before = s;
        const std::string low = text::ToLowerAscii(s);
        if (!s.empty() && s.front() == '[') {
            const std::size_t close = text::FindChar(s, ']');
            s = close == text::npos ? From(s, 1) : From(s, text::NextCharPos(s, close + 1));
        }
        if (const auto p = PrefixAt(low, "fw:"); p != text::npos)
            s = From(s, p + 3);
        if (const auto p = PrefixAt(low, "fwd:"); p != text::npos)
            s = From(s, p + 4);
        if (const auto p = PrefixAt(low, "re:"); p != text::npos)
            s = From(s, p + 3);
        if (const auto p = PrefixAt(low, "re^"); p != text::npos) {
            s = From(s, p + 3);
            const std::size_t colon = text::FindChar(s, ':');
            s = colon == text::npos ? std::string() : From(s, colon + 1);
        }
        if (s == before)
            break;
    }
    const std::string_view trimmed = [&] {
        std::string_view v = s;
        while (!v.empty() && v.front() == ' ')
            v.remove_prefix(1);
        return v;
    }();
    return text::RemoveChar(trimmed, ' ');
}

}  // namespace varnel::store
