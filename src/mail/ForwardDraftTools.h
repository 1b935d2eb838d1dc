// The three tools that tidy a forward draft when it is opened: the forwarded header cut
// to the fields a reader wants, the HTML alternative removed, and the forwarded
// message flattened into a plain multipart mail. They do nothing when the structure
// they look for is not there.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace varnel::mail {

// Deletes the forwarded mail's status line and the forwarded header fields other than
// To, Cc, Date, From, Subject and those of forwardHeader (lower-cased names with
// colons); Content-Type and MIME-Version stay when the draft is multipart.
void DeleteForwardedHeader(std::vector<std::string>& lines, std::string_view forwardHeader);

// Replaces the first multipart/alternative structure by its first alternative: its
// Content-Type field gives way to the alternative's own fields; other fields stay.
void DeleteHtmlPart(std::vector<std::string>& lines);

// Turns the forwarded message/rfc822 part into parts of the draft itself: the
// forwarded text follows the new text, the forwarded attachments become the draft's.
// Nothing changes unless the whole structure is found.
void SimplifyMultipart(std::vector<std::string>& lines, std::string_view forwardHeader);

}  // namespace varnel::mail
