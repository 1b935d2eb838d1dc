// The send check and the outgoing layout: a draft's header is checked and its address
// fields repaired, then the text is written back as the mailer sends it (one address a
// line, the body as displayed), with a forward draft's held-back attachments behind it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/SonStrings.h"

namespace varnel::mail {

// A paragraph of the editor text and the display lines it is shown as (one, unless the
// editor wraps it).
struct DraftParagraph {
    std::vector<std::string> pieces;
    std::string Text() const;
};

// The editor's display lines grouped into paragraphs (the end-of-text mark dropped).
std::vector<DraftParagraph> DraftParagraphsOf(const editor::TSonStrings& lines);

struct HeaderCheck {
    bool complete = true;               // To and Subject carry something
    std::vector<std::size_t> repaired;  // paragraphs changed by the local-part repair
};

// Walks the header paragraphs (up to the first containing "-------"): a "To:" or
// "Subject:" paragraph shorter than 10 characters makes the header incomplete; in the
// To, Cc and Bcc fields a local part ending in "." (before "@") is put in double quotes,
// which the mailer's sending side needs.
HeaderCheck CheckDraftHeader(std::vector<std::string>& paragraphs);

// Puts the local part before the first ".@" of an address line in double quotes;
// unchanged when there is none or it is quoted already.
std::string QuoteDottedLocalPart(std::string_view line);

// The file's new contents (CR LF line ends). A draft (isDraft) has its address fields
// written one address a line and its body as displayed (every display line a line of
// its own; a multipart draft's parts after the first as stored); another file is
// written as displayed. tabToSpace expands the TAB before every further address.
std::string OutgoingText(const std::vector<DraftParagraph>& paragraphs, bool isDraft,
                         int tabToSpace);

// A draft by name: ".tmp" in the lower-cased name, or "/out/" in the path.
bool IsOutgoingDraftName(std::string_view path);

// Writes text, followed by a forward draft's held-back tail, over path in one
// replacement (temporary file beside it, flush, rename). False with error on failure:
// the file is then left as it was.
bool WriteOutgoingFile(const std::string& path, const std::string& text,
                       const std::optional<std::string>& forwardTail, std::string& error);

}  // namespace varnel::mail
