// The header pass of a received mail: builds the display header (full or summary) and
// learns what the status update needs (status, dates, addresses).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "mail/BodyPass.h"
#include "mail/HeaderOptions.h"
#include "mail/MailDate.h"

namespace varnel::mail {

struct HeaderPassResult {
    // Display header lines followed by the header block's terminating line (when the
    // file has one).
    std::vector<std::string> display;
    // In step with display's header lines: true for the lines of To, Cc and Bcc
    // addresses (summary mode), so they can be hidden whatever their indent.
    std::vector<bool> recipientLines;
    std::size_t headerEnd = 0;  // index of the terminating line (lines.size() when none)
    std::size_t bodyStart = 0;  // first line after it

    bool hasStatus = false;  // an "X-Status:" line was met
    std::string status;      // the first status line's four letters
    bool statusDuplicated = false;
    bool addressedToMe = false;
    int dispositionPending = 0;
    std::uint32_t alertColour = 0;
    bool showRecipientsNow = true;
    std::size_t addressCount = 0;
    bool suspiciousAddress = false;
    bool hadDate = true;  // false only in summary mode, for a header without Date
    std::optional<MailTime> sentDate;
    std::optional<MailTime> receivedDate;
    std::string pseudoDate;  // "Date: " + the last Received field's date text, or ""
    TopLevelContent top;     // summary mode only
};

// lines: the mail's lines without line ends. fullHeader: every header line as stored.
HeaderPassResult RunHeaderPass(std::span<const std::string_view> lines, bool fullHeader,
                               bool recipientOverride, bool europeanFontOn,
                               const HeaderOptions& options);

}  // namespace varnel::mail
