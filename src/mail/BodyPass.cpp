// Temporary body pass: shows the body as stored (leading empty lines dropped) until the
// MIME walk lands.
#include "mail/BodyPass.h"

namespace varnel::mail {

TopLevelContentReader::TopLevelContentReader(bool europeanFontOn)
    : europeanFontOn_(europeanFontOn) {}

void TopLevelContentReader::FeedLine(std::string_view) {}

BodyPassResult RunBodyPass(const std::vector<std::string>& mailLines, std::size_t first,
                           const TopLevelContent&, const BodyPassOptions&,
                           std::vector<std::string>& display) {
    BodyPassResult r;
    bool atStart = true;
    for (std::size_t i = first; i < mailLines.size(); ++i) {
        if (atStart && mailLines[i].empty())
            continue;
        atStart = false;
        display.push_back(mailLines[i]);
        if (mailLines[i].size() > r.longestLine)
            r.longestLine = mailLines[i].size();
    }
    return r;
}

}  // namespace varnel::mail
