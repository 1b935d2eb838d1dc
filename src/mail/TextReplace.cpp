// Replace-all and blank stripping for the Decode command.
#include "mail/TextReplace.h"

#include <vector>

#include "text/Sjis.h"

namespace varnel::mail {

void ReplaceAllText(std::string& text, std::string_view pattern, std::string_view replacement) {
    if (pattern.empty() || !text::Contains(text, pattern))
        return;
    if (replacement.size() >= pattern.size() || text::Contains(replacement, pattern)) {
        // One pass, searching on after each inserted text: a replacement that holds the
        // pattern would otherwise be matched again and again without end.
        text = text::ReplaceAll(text, pattern, replacement);
        return;
    }
    // A shrinking replacement may form a new match with what precedes it ("aaa" with
    // "aa" -> "a"). Build the result character by character and replace whenever it ends
    // with the pattern at a character boundary: each replacement shortens the result, so
    // the work stays linear.
    std::string out;
    std::vector<bool> starts;  // starts[i]: out[i] begins a character
    out.reserve(text.size());
    starts.reserve(text.size());
    auto append = [&](std::string_view s) {
        for (std::size_t i = 0; i < s.size(); ++i) {
            out += s[i];
            starts.push_back(!text::IsTrailPosition(s, i));
        }
    };
    auto endsWithPattern = [&] {
        return out.size() >= pattern.size() && starts[out.size() - pattern.size()] &&
               std::string_view(out).substr(out.size() - pattern.size()) == pattern;
    };
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = text::CharLengthAt(text, i);
        append(std::string_view(text).substr(i, n));
        i += n;
        while (endsWithPattern()) {
            out.resize(out.size() - pattern.size());
            starts.resize(out.size());
            append(replacement);
        }
    }
    text = std::move(out);
}

std::string StripLeadingBlanks(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    return std::string(text.substr(i));
}

}  // namespace varnel::mail
