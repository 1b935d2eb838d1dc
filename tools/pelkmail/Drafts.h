// The drafts the stand-in mailer writes for Varnel's reply and forward requests, laid
// out as Varnel opens drafts: header fields, a line of dashes, one more line, the body.
#pragma once

#include <string>
#include <string_view>

namespace pelkmail {

// To the sender (Reply-To when given), "Re: " subject, In-Reply-To and References,
// the separator, the template lines (CR LF between them; the viewer fills in
// "%recipients%" and "%greeting1%"), an empty line, then the original's text part quoted
// with "> " (no MIME preamble, boundary or part header). Lines end in CR LF.
std::string ReplyDraft(std::string_view original, std::string_view replyTemplate = {});

// An "X-Forward:" line first, an empty To, "Fw: " subject, room for the new text, and
// the original mail as stored (its attachments behind its text) as a
// "Content-Type: message/rfc822" part.
std::string ForwardDraft(std::string_view original, std::string_view boundary);

// The value of a header field (name without colon, any case; continuation lines
// joined as stored), "" when absent.
std::string HeaderValue(std::string_view mail, std::string_view name);

}  // namespace pelkmail
