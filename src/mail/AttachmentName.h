// The file name of an attachment, taken from a Content-Type or Content-Disposition field
// and decoded to CP932 for the attachment summary line.
#pragma once

#include <string>
#include <string_view>

namespace varnel::mail {

// The "filename" or "name" parameter of the field (with its continuation lines joined),
// decoded: RFC 2231 sections in order with their percent escapes joined before decoding
// (bad escapes stay as text), or a plain value with its encoded words decoded. Names in
// Shift_JIS, ISO-2022-JP, EUC-JP and UTF-8 all come out as CP932; control characters are
// dropped. Empty when the field names no file.
std::string ExtractAttachmentName(std::string_view field);

}  // namespace varnel::mail
