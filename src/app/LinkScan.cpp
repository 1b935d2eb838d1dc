// The link scanner.
#include "app/LinkScan.h"

#include <array>

#include "text/Sjis.h"

namespace varnel::app {
namespace {

constexpr std::array<std::string_view, 5> kStarts{"http", "ftp:", "mailto:", "file:", "\\\\"};

bool IsDelimiter(unsigned char c) {
    if (c <= 32 || c >= 127)
        return true;
    switch (c) {
        case '{':
        case '}':
        case '[':
        case ']':
        case '|':
        case '<':
        case '>':
        case '`':
        case '"':
            return true;
        default:
            return false;
    }
}

// The leftmost link start at or after from, or npos.
std::size_t FindStart(std::string_view line, std::size_t from) {
    std::size_t best = std::string_view::npos;
    for (std::string_view s : kStarts) {
        const std::size_t p = text::FindNoCase(line, s, from);
        if (p < best)
            best = p;
    }
    return best;
}

}  // namespace

std::optional<LinkSpan> NextLink(std::string_view line, std::size_t from) {
    const std::size_t start = FindStart(line, from);
    if (start == std::string_view::npos)
        return std::nullopt;
    // The start word itself is never a delimiter; the scan goes on from its end.
    std::size_t end = start;
    while (end < line.size() &&
           (end < start + 4 || !IsDelimiter(static_cast<unsigned char>(line[end]))))
        ++end;
    while (end > start + 1 && line[end - 1] == '.')
        --end;
    return LinkSpan{start, end - start};
}

std::optional<std::string> LinkAt(std::string_view line, std::size_t column) {
    std::size_t from = 0;
    while (from < line.size()) {
        const std::optional<LinkSpan> link = NextLink(line, from);
        if (!link)
            return std::nullopt;
        if (column < link->start)
            return std::nullopt;
        if (column <= link->start + link->length)
            return std::string(line.substr(link->start, link->length));
        from = link->start + std::max<std::size_t>(link->length, 1);
    }
    return std::nullopt;
}

bool IsLinkSelection(std::string_view selection) {
    int found = 0;
    bool atStart = false;
    for (std::string_view s :
         {std::string_view("http"), std::string_view("ftp:"), std::string_view("mailto:")}) {
        const std::size_t p = text::FindNoCase(selection, s);
        if (p == std::string_view::npos)
            continue;
        ++found;
        atStart = atStart || p == 0;
        if (text::FindNoCase(selection, s, p + 1) != std::string_view::npos)
            ++found;
    }
    return found == 1 && atStart;
}

bool HasScheme(std::string_view link) {
    const std::size_t colon = link.find(':');
    if (colon == std::string_view::npos || colon == 0)
        return false;
    for (std::size_t i = 0; i < colon; ++i) {
        const char c = link[i];
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                        (i > 0 && ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'));
        if (!ok)
            return false;
    }
    return true;
}

}  // namespace varnel::app
