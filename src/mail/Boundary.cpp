// Boundary parameter extraction.
#include "mail/Boundary.h"

#include "text/Sjis.h"

namespace varnel::mail {

std::string ExtractBoundary(std::string_view field, std::optional<std::string_view> lower) {
    std::string computed;
    if (!lower || lower->size() != field.size()) {
        computed = text::ToLowerAscii(field);
        lower = computed;
    }
    const std::size_t p = text::Find(*lower, "boundary=");
    if (p == text::npos)
        return {};
    std::size_t i = p + 9;
    while (i < field.size() && (field[i] == ' ' || field[i] == '\t'))
        ++i;
    if (i < field.size() && field[i] == '"') {
        const std::size_t close = text::FindChar(field, '"', i + 1);
        return std::string(field.substr(i + 1, close == text::npos ? text::npos : close - i - 1));
    }
    const std::size_t end = text::FindFirstOf(field, "; \t\r\n", i);
    return std::string(field.substr(i, end == text::npos ? text::npos : end - i));
}

}  // namespace varnel::mail
