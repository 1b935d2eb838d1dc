// Parsing and building open requests.
#include "link/OpenRequest.h"

#include "text/Sjis.h"

namespace varnel::link {

namespace {
constexpr std::string_view kTail = "\")]";
}

std::optional<std::string> ParseOpenRequest(std::string_view macro, std::string_view openPrefix) {
    if (openPrefix.size() != kViewerOpenPrefix.size() ||
        !text::StartsWithNoCase(openPrefix, kViewerOpenPrefix))
        return std::nullopt;  // a compose window ("dummy") takes no requests at all
    const std::size_t eol = macro.find_first_of("\r\n");
    const std::string_view line = macro.substr(0, eol);
    if (line.size() < openPrefix.size() + kTail.size() + 1)
        return std::nullopt;
    if (!text::StartsWithNoCase(line, openPrefix) || !line.ends_with(kTail))
        return std::nullopt;
    std::string_view path =
        line.substr(openPrefix.size(), line.size() - openPrefix.size() - kTail.size());
    if (path.empty() || path.front() != '/' || path.find('\0') != std::string_view::npos)
        return std::nullopt;
    return std::string(path);
}

std::optional<std::string> ParseCommandRequest(std::string_view macro) {
    constexpr std::string_view kPrefix = "[command(\"";
    if (macro.size() < kPrefix.size() + kTail.size() + 1 ||
        !text::StartsWithNoCase(macro, kPrefix) || !macro.ends_with(kTail))
        return std::nullopt;
    const std::string_view name =
        macro.substr(kPrefix.size(), macro.size() - kPrefix.size() - kTail.size());
    for (char c : name) {
        const bool word =
            (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        if (!word || name.size() > 64)
            return std::nullopt;
    }
    return std::string(name);
}

std::optional<std::string> OpenRequestFor(std::string_view path) {
    if (path.empty() || path.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos)
        return std::nullopt;
    return std::string(kViewerOpenPrefix) + std::string(path) + std::string(kTail);
}

}  // namespace varnel::link
