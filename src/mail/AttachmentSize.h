// The decoded size of an attachment, estimated from its encoded lines, and the summary
// line that stands for the attachment in the display.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace varnel::mail {

// Transfer encodings as the body pass tracks them.
enum TransferEncoding : int {
    kEncodingNone = 0,
    kEncodingBase64 = 1,
    kEncodingQuotedPrintable = 2,
    kEncodingUuencode = 3,
    kEncodingExtension = 9,  // given by an "x-content-transfer-encoding:" field
};

class AttachmentSize {
  public:
    // Counts one encoded line (without its line end) under the current encoding.
    void Count(std::string_view line, int encoding);
    // The estimate: Base64 3/4 of the characters less the padding of the last line;
    // quoted-printable less the trailing empty lines; otherwise as counted.
    std::uint64_t Final(int encoding) const;
    void Reset() { *this = AttachmentSize(); }

  private:
    std::int64_t size_ = 0;
    std::string lastTail_;  // last four characters of the last non-empty Base64 line
    std::int64_t trailingEmpties_ = 0;
};

// ".------ Attached File:" + size with thousands commas, right-aligned in 11 columns,
// + " bytes  " + the name in double quotes (unless it already begins with one).
std::string FormatAttachmentLine(std::uint64_t size, std::string_view name);

}  // namespace varnel::mail
