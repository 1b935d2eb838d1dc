// Attachment file names and summary line sizes.
#include "app/AttachedFile.h"

#include "text/Cp932.h"
#include "text/Sjis.h"

namespace varnel::app {

std::string AttachmentFileName(std::string_view name) {
    if (name.size() >= 2 && name.front() == '"' && name.back() == '"')
        name = name.substr(1, name.size() - 2);
    // "\" found as a character, never as the trail byte of a double-byte one.
    const std::size_t slash = text::FindLast(name, "/");
    const std::size_t backslash = text::FindLast(name, "\\");
    std::size_t from = 0;
    if (slash != std::string_view::npos)
        from = slash + 1;
    if (backslash != std::string_view::npos && backslash + 1 > from)
        from = backslash + 1;
    std::string base;
    for (std::size_t i = from; i < name.size();) {
        const std::size_t n = text::CharLengthAt(name, i);
        const auto c = static_cast<unsigned char>(name[i]);
        if (n > 1 || (c >= 0x20 && c != 0x7F))
            base.append(name.substr(i, n));
        i += n;
    }
    base = text::Cp932ToUtf8(base);
    if (base.empty() || base == "." || base == "..")
        return "attachment";
    if (base.front() == '.' || base.front() == '-')
        base.front() = '_';
    return base;
}

std::optional<std::uint64_t> SummaryLineSize(std::string_view line) {
    constexpr std::string_view kHead = ".------ Attached File:";
    if (!line.starts_with(kHead))
        return std::nullopt;
    const std::size_t end = line.find(" bytes", kHead.size());
    if (end == std::string_view::npos)
        return std::nullopt;
    std::uint64_t size = 0;
    bool digits = false;
    for (char c : line.substr(kHead.size(), end - kHead.size())) {
        if (c >= '0' && c <= '9') {
            size = size * 10 + static_cast<std::uint64_t>(c - '0');
            digits = true;
        } else if (c != ',' && c != ' ') {
            return std::nullopt;
        }
    }
    return digits ? std::optional<std::uint64_t>(size) : std::nullopt;
}

bool HasOpenableExtension(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    const std::string_view base = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = base.rfind('.');
    return dot != std::string_view::npos && dot + 5 >= base.size() && dot + 1 < base.size();
}

}  // namespace varnel::app
