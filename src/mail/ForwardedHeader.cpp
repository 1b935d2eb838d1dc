// Trims a forwarded message's header in the display list to the fields a reader wants.
#include "mail/ForwardedHeader.h"

#include "text/Sjis.h"

namespace varnel::mail {

namespace {

bool IsContinuation(const std::string& line) {
    return !line.empty() && (line[0] == ' ' || line[0] == '\t');
}

// Whole-name match: ",name:" against ",to:,cc:,...". Reply-To is kept as well, since
// forwarded headers have always shown it.
bool IsKeptName(const std::string& lowerName, std::string_view headerList) {
    static constexpr std::string_view kKept =
        ",to:,cc:,date:,from:,subject:,in-reply-to:,reply-to:";
    if (lowerName.empty())
        return false;
    const std::string key = "," + lowerName;
    if (text::Contains(kKept, key))
        return true;
    // The stored list is "," + the setting lower-cased (",x-mailer:,organization:"); the
    // leading "," and the trailing ":" make this a whole-name match.
    return text::Contains(headerList, key);
}

}  // namespace

void FilterForwardedHeader(std::vector<std::string>& display, std::size_t start,
                           std::string_view headerList) {
    if (start >= display.size() || text::FindChar(display[start], ':') == text::npos)
        return;
    // One compaction pass: kept fields move down to kept, the dropped ones are
    // overwritten, and the lines after the header close the gap once.
    std::size_t kept = start;
    std::size_t i = start;
    while (i < display.size() && !display[i].empty()) {
        const std::string& line = display[i];
        std::size_t colon = text::FindChar(line, ':');
        std::string name =
            colon == text::npos ? std::string() : text::ToLowerAscii(line.substr(0, colon + 1));
        std::size_t next = i + 1;
        while (next < display.size() && IsContinuation(display[next]))
            ++next;
        if (!IsContinuation(line) && IsKeptName(name, headerList)) {
            for (; i < next; ++i, ++kept)
                if (kept != i)
                    display[kept] = std::move(display[i]);
        }
        i = next;
    }
    display.erase(display.begin() + static_cast<std::ptrdiff_t>(kept),
                  display.begin() + static_cast<std::ptrdiff_t>(i));
}

}  // namespace varnel::mail
