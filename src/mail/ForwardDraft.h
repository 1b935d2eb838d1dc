// Loading a draft the mailer wrote: a plain draft as it stands, a forward draft up to
// the forwarded mail's attachments, which are held back as the forward tail.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnel::mail {

struct DraftLoad {
    std::vector<std::string> lines;  // the text to load, one entry a line, without ends
    bool forward = false;            // a forward draft ("X-Forward:" in the first two lines)
    std::optional<std::size_t> xForwardIndex;  // that line's index
    bool noRfc822 = false;                     // the X-Forward line asks for "no_rfc822"
    bool noFwdHtml = false;                    // ... and for "nofwdhtml"
    bool dispositionNotification = false;      // "X-Disposition-Notification:" line
    // The forwarded mail from its second boundary line on, byte for byte; the send
    // check copies it after the edited text. Empty when the draft has none.
    std::optional<std::string> forwardTail;
};

// Reads the draft's first lines for the X-Forward and X-Disposition-Notification lines;
// a forward draft whose forwarded mail is multipart/related is loaded as a plain draft.
DraftLoad LoadForwardDraft(std::string_view bytes);

}  // namespace varnel::mail
