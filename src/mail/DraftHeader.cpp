// Draft header clean-ups.
#include "mail/DraftHeader.h"

#include <algorithm>

#include "text/Sjis.h"

namespace varnel::mail {

namespace {

bool IsContinuation(std::string_view line) {
    return !line.empty() && (line[0] == ' ' || line[0] == '\t');
}

// The field name with its colon ("Reply-To:"), or "" when the line has no colon.
std::string_view NameOf(std::string_view line) {
    std::size_t colon = text::FindChar(line, ':');
    return colon == text::npos ? std::string_view() : line.substr(0, colon + 1);
}

bool IsNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.';
}

// name ("X-Mailer:") stands in the list as a whole name: not preceded by a name character.
bool ListsName(std::string_view list, std::string_view name) {
    for (std::size_t p = text::Find(list, name); p != text::npos;
         p = text::Find(list, name, text::NextCharPos(list, p))) {
        if (p == 0 || !IsNameChar(list[p - 1]))
            return true;
    }
    return false;
}

}  // namespace

void StripAddressBackslashes(std::vector<std::string>& lines, std::size_t first) {
    bool inField = false;
    for (std::size_t i = first; i < lines.size(); ++i) {
        std::string& line = lines[i];
        if (line.empty() || line.starts_with("----"))
            break;
        if (!IsContinuation(line)) {
            std::string_view name = NameOf(line);
            inField =
                !name.empty() && text::Contains(":to:cc:from:", ":" + text::ToLowerAscii(name));
        }
        if (inField)
            line = text::RemoveChar(line, '\\');
    }
}

void DeleteHeaderFields(std::vector<std::string>& lines, std::string_view deleteHeader) {
    std::size_t i = 0;
    while (i < lines.size() && !lines[i].empty() && !lines[i].starts_with("-----")) {
        std::string_view name = NameOf(lines[i]);
        if (IsContinuation(lines[i]) || name.empty() || !ListsName(deleteHeader, name)) {
            ++i;
            continue;
        }
        std::size_t end = i + 1;
        while (end < lines.size() && IsContinuation(lines[end]))
            ++end;
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i),
                    lines.begin() + static_cast<std::ptrdiff_t>(end));
    }
}

std::size_t PlaceCaretInBody(const std::vector<std::string>& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].starts_with("-----"))
            return std::min(i + 2, lines.size());
    }
    return lines.size();
}

}  // namespace varnel::mail
