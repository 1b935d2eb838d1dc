// Field names, media types and boundary lines, read leniently.
#include "mail/MimeField.h"

#include "text/Sjis.h"

namespace varnel::mail {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

std::optional<std::string_view> FieldValue(std::string_view line, std::string_view lowerName) {
    if (!text::StartsWithNoCase(line, lowerName))
        return std::nullopt;
    std::size_t p = lowerName.size();
    while (p < line.size() && IsBlank(line[p]))
        ++p;
    if (p >= line.size() || line[p] != ':')
        return std::nullopt;
    ++p;
    while (p < line.size() && IsBlank(line[p]))
        ++p;
    return line.substr(p);
}

std::string MediaTypeOf(std::string_view value) {
    std::size_t b = 0;
    while (b < value.size() && IsBlank(value[b]))
        ++b;
    std::size_t e = b;
    while (e < value.size() && !IsBlank(value[e]) && value[e] != ';' && value[e] != '(')
        ++e;
    return text::ToLowerAscii(value.substr(b, e - b));
}

std::string_view BoundaryText(std::string_view line) {
    std::string_view b = line.substr(2);
    while (!b.empty() && IsBlank(b.back()))
        b.remove_suffix(1);
    return b;
}

}  // namespace varnel::mail
