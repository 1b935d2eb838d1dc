// The drafts the stand-in mailer writes for Varnel's reply and forward requests, laid
// out as Varnel opens drafts: header fields, a line of dashes, one more line, the body.
#pragma once

#include <string>
#include <string_view>

namespace pelkmail {

// To the sender (Reply-To when given), "Re: " subject, In-Reply-To and References,
// then the original body quoted with "> ". Lines end in CR LF.
std::string ReplyDraft(std::string_view original);

// An "X-Forward:" line first, an empty To, "Fw: " subject, and the original mail
// (without its status line) as a "Content-Type: message/rfc822" part.
std::string ForwardDraft(std::string_view original, std::string_view boundary);

// The value of a header field (name without colon, any case; continuation lines
// joined as stored), "" when absent.
std::string HeaderValue(std::string_view mail, std::string_view name);

}  // namespace pelkmail
