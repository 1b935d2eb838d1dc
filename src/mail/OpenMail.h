// Opening a mail file: a received mail is decoded for reading, a draft is loaded for
// editing with its header cleaned up. Pure: the caller reads the file and carries out
// what the result asks for (show the lines, write the bytes, send the requests).
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "mail/DateTimeMacro.h"
#include "mail/DecodeMail.h"
#include "mail/HeaderOptions.h"
#include "platform/Clock.h"

namespace varnel::mail {

// Draft tools that live with reply and forward composition; unset ones are skipped.
struct DraftTools {
    using Edit = std::function<void(std::vector<std::string>&)>;
    Edit applyRecipientTemplate;  // ListRecipients
    Edit deleteForwardedHeader;   // forward drafts
    Edit deleteHtmlParts;         // forward drafts with NoFwdHTML
    Edit simplifyMultipart;       // forward drafts with NoRfc822
};

// A draft: its file name ends in ".tmp" (any case) or it lies in the mailer's out folder.
bool IsDraftFile(std::string_view path);

struct OpenedMail {
    bool draft = false;
    bool exists = false;
    std::vector<std::string> lines;  // the editor text, one entry a line
    std::size_t caretLine = 0;
    bool showRecipientsNow = true;
    std::optional<DecodedMail> decoded;  // a received mail that exists; its lines moved
                                         // into lines above

    // Drafts.
    bool forwardDraft = false;
    std::optional<std::string> forwardTail;
    bool switchNoRfc822On = false;  // the X-Forward line asked for it
    bool switchNoFwdHtmlOn = false;
    // A disposition notification's "#DATETIME", for the editor to expand as one undoable
    // edit once the text is shown (line and offset are those of lines).
    std::optional<MacroEdit> dateTimeMacro;

    // Requests of the common end.
    bool focusInCompanion = false;   // NextMailMode 2: [Focus("F",N)] to the second companion
    bool updateCurrentMail = false;  // [Update(F,N)] when the file is a mail file
};

// bytes: the file's contents, nullopt when it does not exist or cannot be read.
OpenedMail OpenMailCore(std::string_view path, const std::optional<std::string>& bytes,
                        const HeaderOptions& options, const DecodeState& state,
                        const DraftTools& tools, const platform::Clock& clock,
                        const DateTimeLocale& locale);

// The lines OpenMailCore gives an existing file, for a reader that only prints them
// (--dump): a received mail's lines shown as stored stay views into bytes, which must
// outlive the result.
DisplayList OpenMailLines(std::string_view path, std::string_view bytes,
                          const HeaderOptions& options, const DecodeState& state,
                          const DraftTools& tools, const platform::Clock& clock,
                          const DateTimeLocale& locale);

}  // namespace varnel::mail
