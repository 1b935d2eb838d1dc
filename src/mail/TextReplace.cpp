// Replace-all and blank stripping for the Decode command.
#include "mail/TextReplace.h"

#include "text/Sjis.h"

namespace varnel::mail {

void ReplaceAllText(std::string& text, std::string_view pattern, std::string_view replacement) {
    if (pattern.empty())
        return;
    // One linear pass at a time; another pass only while the text shrinks, which is the
    // only way a replacement can form a new match with its neighbours.
    const bool rescan =
        replacement.size() < pattern.size() && replacement.find(pattern) == std::string_view::npos;
    while (text::Contains(text, pattern)) {
        text = text::ReplaceAll(text, pattern, replacement);
        if (!rescan)
            break;
    }
}

std::string StripLeadingBlanks(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    return std::string(text.substr(i));
}

}  // namespace varnel::mail
