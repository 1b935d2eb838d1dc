// From the display list to the lines the editor shows: recipient lines left out when
// they are hidden, and leading TABs of header lines expanded.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "mail/DisplayList.h"

namespace varnel::mail {

// A leading TAB becomes the first tabToSpace of twelve blanks; a negative tabToSpace
// keeps it.
std::string ExpandLeadingTab(std::string_view line, int tabToSpace);

// True for the line that ends a header block: empty, or beginning with "-".
bool EndsHeaderBlock(std::string_view line);

// The text lines to put into the editor. Header lines run to the first empty line or
// line beginning with "----"; while showRecipients is off, a line beginning "to: ",
// "cc: " or "bcc:" (any case) is left out with its continuation lines, and so is every
// line that recipientLines (in step with display) marks as an address line, which
// catches address lines whose indent TabToSpace 0 took away.
std::vector<std::string> ShownLines(const std::vector<std::string>& display, bool showRecipients,
                                    const std::vector<bool>& recipientLines = {});
// The same in place, on the display list of a decoding.
void KeepShownLines(DisplayList& display, bool showRecipients,
                    const std::vector<bool>& recipientLines);

}  // namespace varnel::mail
