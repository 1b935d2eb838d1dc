// The bytes of an attachment: its data lines taken from the mail file and their transfer
// encoding undone (binary-safe: NUL bytes stay).
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "mail/AttachmentRecord.h"

namespace varnel::mail {

// lines under encoding (TransferEncoding); without a transfer encoding and under
// quoted-printable the lines are joined with CR LF, and lastLineEnd adds one after the
// last line.
std::string DecodeTransfer(std::span<const std::string_view> lines, int encoding, bool lastLineEnd);

// The data of the attachment r that the decoder recorded for mailBytes.
std::string AttachmentBytes(std::string_view mailBytes, const AttachmentRecord& r);

}  // namespace varnel::mail
