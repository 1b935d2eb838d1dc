// MIME parameter tokenizer.
#include "mail/MimeParameters.h"

#include "text/HexEscape.h"
#include "text/Sjis.h"

namespace varnel::mail {
namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::size_t SkipSpaces(std::string_view s, std::size_t i) {
    while (i < s.size() && IsSpace(s[i]))
        ++i;
    return i;
}

// "name", "name*", "name*2", "name*2*" split into its parts.
void SplitAttribute(std::string_view attr, MimeParameter& p) {
    const std::size_t star = attr.find('*');
    p.name = text::ToLowerAscii(attr.substr(0, star));
    if (star == std::string_view::npos)
        return;
    std::string_view rest = attr.substr(star + 1);
    if (!rest.empty() && rest.back() == '*') {
        p.extended = true;
        rest.remove_suffix(1);
    } else if (rest.empty()) {
        p.extended = true;
        return;
    }
    int n = 0;
    bool digits = !rest.empty() && rest.size() <= 4;  // at most "9999": no overflow
    for (std::size_t k = 0; digits && k < rest.size(); ++k) {
        if (rest[k] < '0' || rest[k] > '9')
            digits = false;
        else
            n = n * 10 + (rest[k] - '0');
    }
    if (digits)
        p.section = n;
    else
        p.name = text::ToLowerAscii(attr);  // not an RFC 2231 form: keep it whole
}

}  // namespace

std::vector<MimeParameter> ParseMimeParameters(std::string_view s) {
    std::vector<MimeParameter> params;
    std::size_t i = text::FindChar(s, ';');
    if (i == text::npos)
        return params;
    while (i < s.size()) {
        i = SkipSpaces(s, i);
        if (i < s.size() && s[i] == ';') {
            ++i;
            continue;
        }
        const std::size_t a = i;
        while (i < s.size() && s[i] != '=' && s[i] != ';' && !IsSpace(s[i]))
            i += text::CharLengthAt(s, i);
        const std::string_view attr = s.substr(a, i - a);
        i = SkipSpaces(s, i);
        if (attr.empty() || i >= s.size() || s[i] != '=') {  // not a parameter
            const std::size_t next = text::FindChar(s, ';', i);
            i = next == text::npos ? s.size() : next;
            continue;
        }
        i = SkipSpaces(s, i + 1);
        MimeParameter p;
        SplitAttribute(attr, p);
        if (i < s.size() && s[i] == '"') {
            p.quoted = true;
            ++i;
            while (i < s.size() && s[i] != '"') {
                const std::size_t n = text::CharLengthAt(s, i);
                if (n == 1 && s[i] == '\\' && i + 1 < s.size())
                    ++i;  // the escaped character is taken as it is
                const std::size_t m = text::CharLengthAt(s, i);
                p.value.append(s.substr(i, m));
                i += m;
            }
            ++i;  // closing quote (or past the end)
            const std::size_t next = text::FindChar(s, ';', std::min(i, s.size()));
            i = next == text::npos ? s.size() : next;
        } else {
            const std::size_t v = i;
            while (true) {
                while (i < s.size() && s[i] != ';' && !IsSpace(s[i]))
                    i += text::CharLengthAt(s, i);
                // Encoded words folded onto a continuation line belong to the value.
                const std::size_t after = SkipSpaces(s, i);
                if (i > v + 1 && s.substr(i - 2, 2) == "?=" && s.substr(after, 2) == "=?") {
                    i = after;
                    continue;
                }
                break;
            }
            p.value = std::string(s.substr(v, i - v));
        }
        params.push_back(std::move(p));
    }
    return params;
}

std::string PercentDecode(std::string_view s) {
    return text::DecodeHexEscapes(s, '%');
}

}  // namespace varnel::mail
