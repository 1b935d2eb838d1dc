// Header-line shaping for the display.
#include "mail/DisplayLines.h"

#include <algorithm>

#include "text/Sjis.h"

namespace varnel::mail {

std::string ExpandLeadingTab(std::string_view line, int tabToSpace) {
    if (tabToSpace < 0 || line.empty() || line[0] != '\t')
        return std::string(line);
    std::string out(static_cast<std::size_t>(std::min(tabToSpace, 12)), ' ');
    out += line.substr(1);
    return out;
}

bool EndsHeaderBlock(std::string_view line) {
    return line.empty() || line[0] == '-';
}

namespace {

// Calls keep(i) for each index of display (strings or a DisplayList) that is shown.
template <typename Lines, typename Keep>
void ForShownLines(const Lines& display, bool showRecipients,
                   const std::vector<bool>& recipientLines, Keep keep) {
    bool inHeader = true;
    bool skipping = false;
    for (std::size_t i = 0; i < display.size(); ++i) {
        const std::string_view line = display[i];
        if (inHeader && (line.empty() || line.starts_with("----")))
            inHeader = false;
        if (!inHeader) {
            keep(i);
            continue;
        }
        if (!showRecipients) {
            const bool continuation = line[0] == ' ' || line[0] == '\t';
            if (!continuation) {
                const std::string head = text::ToLowerAscii(line.substr(0, 4));
                skipping = head == "to: " || head == "cc: " || head == "bcc:";
            }
            if (skipping || (i < recipientLines.size() && recipientLines[i]))
                continue;
        }
        keep(i);
    }
}

}  // namespace

std::vector<std::string> ShownLines(const std::vector<std::string>& display, bool showRecipients,
                                    const std::vector<bool>& recipientLines) {
    std::vector<std::string> out;
    out.reserve(display.size());
    ForShownLines(display, showRecipients, recipientLines,
                  [&](std::size_t i) { out.push_back(display[i]); });
    return out;
}

void KeepShownLines(DisplayList& display, bool showRecipients,
                    const std::vector<bool>& recipientLines) {
    if (showRecipients)
        return;  // every line is shown
    std::vector<bool> shown(display.size());
    ForShownLines(display, showRecipients, recipientLines, [&](std::size_t i) { shown[i] = true; });
    display.KeepIf([&](std::size_t i) { return shown[i]; });
}

}  // namespace varnel::mail
