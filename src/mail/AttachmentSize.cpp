// Attachment size estimate and summary line.
#include "mail/AttachmentSize.h"

#include <algorithm>

namespace varnel::mail {

void AttachmentSize::Count(std::string_view line, int encoding) {
    const auto len = static_cast<std::int64_t>(line.size());
    if (encoding == kEncodingUuencode) {
        if (line.starts_with("M"))
            size_ += 45;
        else if (line.starts_with("begin"))
            size_ = 0;
        else if (!line.empty() && !line.starts_with("end"))
            size_ += (static_cast<unsigned char>(line[0]) - 32) & 0x3F;  // "`" stands for 0
        return;
    }
    size_ += len;
    if (encoding == kEncodingBase64) {
        if (!line.empty())
            lastTail_.assign(line.size() >= 4 ? line.substr(line.size() - 4) : std::string_view{});
    } else if (encoding == kEncodingQuotedPrintable) {
        size_ += line.ends_with('=') ? -1 : 2;
        // An "=XX" escape stands for one byte: two of its three characters go.
        for (std::int64_t i = 0; i + 2 < len; ++i) {
            if (line[static_cast<std::size_t>(i)] == '=')
                size_ -= 2;
        }
        trailingEmpties_ = line.empty() ? trailingEmpties_ + 1 : 0;
    } else if (encoding == kEncodingExtension) {
        size_ += 2;
    }
}

std::uint64_t AttachmentSize::Final(int encoding) const {
    std::int64_t s = size_;
    if (encoding == kEncodingBase64) {
        s = s * 3 / 4 - std::count(lastTail_.begin(), lastTail_.end(), '=');
    } else if (encoding == kEncodingQuotedPrintable) {
        s -= 2 * trailingEmpties_;
    }
    return s < 0 ? 0 : static_cast<std::uint64_t>(s);
}

std::string FormatAttachmentLine(std::uint64_t size, std::string_view name) {
    std::string digits = std::to_string(size);
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += ',';
        grouped += digits[i];
    }
    if (grouped.size() < 11)
        grouped.insert(0, 11 - grouped.size(), ' ');
    std::string line = ".------ Attached File:" + grouped + " bytes  ";
    if (name.starts_with('"')) {
        line += name;
    } else {
        line += '"';
        line += name;
        line += '"';
    }
    return line;
}

}  // namespace varnel::mail
