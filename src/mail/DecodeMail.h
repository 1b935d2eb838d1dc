// Decoding a received mail for reading: one call from the file's bytes to the lines to
// show, the file's new bytes (when it must be marked read), the per-mail state and the
// mailer requests it asks for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "mail/AttachmentRecord.h"
#include "mail/DisplayList.h"
#include "mail/HeaderOptions.h"
#include "mail/MarkRead.h"

namespace varnel::mail {

// Per-mail state coming in from the window.
struct DecodeState {
    bool markRead = true;            // every caller marks the mail read
    bool rewriteFile = true;         // false: the file's new bytes are not computed (--dump)
    bool headEditOnly = false;       // the new header block only (markReadEdit), not the bytes
    bool recipientOverride = false;  // set by the header toggle: MaxTo is not applied
    bool europeanFontOn = false;
    bool repliedFlag = false;      // kept when the mail has no status line
    bool startupPhase = false;     // the first open decides viewer or editor mode
    bool editSwitchGiven = true;   // false when "/e" was on the command line
    std::string pendingFocusFile;  // "", "NeedsUpdate", or a mail a folder command waits on
};

// What the mailer must be told; the window sends it through the command channel.
struct MailerRequests {
    bool updateThisMail = false;                  // [Update(folder,number)] for this mail
    bool sendPendingFolderCommand = false;        // the folder command waiting on pendingFocusFile
    bool startTimer = false;                      // the deferred-action timer
    std::optional<std::string> pendingFocusFile;  // its new value, when it changes
};

struct DecodedMail {
    // What the editor shows: the display list (header, terminating line, body) with the
    // recipient lines left out while they are hidden. Its lines are moved, not copied,
    // from the decoding.
    std::vector<std::string> lines;
    std::optional<std::string> rewritten;      // the file's new bytes, when it changed
    std::optional<MarkReadEdit> markReadEdit;  // the same as a header edit (headEditOnly)

    bool fullHeader = false;
    bool repliedFlag = false;
    bool addressedToMe = false;
    int dispositionPending = 0;
    std::uint32_t alertColour = 0;
    bool showRecipientsNow = true;
    std::optional<int> mailNumber;    // from a "0042.txt" name
    std::size_t headerLineCount = 0;  // display lines up to the terminating line
    std::size_t bodyLineCount = 0;    // display lines after them
    std::optional<bool> readOnly;     // decided in the start-up phase only
    bool offerEuropeanFont = false;   // a Western byte was met while that font is off
    std::size_t longestLine = 0;      // longest body line shown (automatic reformat)
    bool related = false;             // multipart/related, for the HTML view
    // The summary lines the decoder wrote, with their indices in lines.
    std::vector<AttachmentRecord> attachments;
    bool datesDisagree = false;
    MailerRequests requests;
};

DecodedMail DecodeMailForDisplay(std::string_view path, std::string_view bytes,
                                 const HeaderOptions& options, const DecodeState& state);
// The same with the lines to show in shown instead of lines: views into bytes (which
// must outlive shown) where they are shown as stored, for readers that only print them.
DecodedMail DecodeMailLines(std::string_view path, std::string_view bytes,
                            const HeaderOptions& options, const DecodeState& state,
                            DisplayList& shown);

}  // namespace varnel::mail
