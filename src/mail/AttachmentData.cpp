// Undoing the transfer encodings of attachment data.
#include "mail/AttachmentData.h"

#include <cstdint>
#include <vector>

#include "mail/AttachmentSize.h"
#include "mail/Base64.h"
#include "mail/DisplayLines.h"
#include "mail/MailLines.h"
#include "text/HexEscape.h"

namespace varnel::mail {
namespace {

// Characters outside the alphabet (line ends, blanks) are skipped; "=" ends the data.
std::string DecodeBase64(std::span<const std::string_view> lines) {
    std::string out;
    std::uint32_t acc = 0;
    int n = 0;
    for (std::string_view line : lines) {
        for (char c : line) {
            if (c == '=') {
                if (n == 2)
                    out += static_cast<char>((acc >> 4) & 0xFF);
                else if (n == 3) {
                    out += static_cast<char>((acc >> 10) & 0xFF);
                    out += static_cast<char>((acc >> 2) & 0xFF);
                }
                return out;
            }
            const int v = Base64Value(c);
            if (v < 0)
                continue;
            acc = (acc << 6) | static_cast<std::uint32_t>(v);
            if (++n == 4) {
                out += static_cast<char>((acc >> 16) & 0xFF);
                out += static_cast<char>((acc >> 8) & 0xFF);
                out += static_cast<char>(acc & 0xFF);
                acc = 0;
                n = 0;
            }
        }
    }
    return out;
}

// RFC 2045: trailing blanks are transport padding; "=" at the end is a soft line break;
// "=XX" is one byte; a "=" not followed by two hex digits stays as it is.
std::string DecodeQuotedPrintable(std::span<const std::string_view> lines, bool lastLineEnd) {
    std::string out;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        std::string_view line = lines[k];
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t'))
            line.remove_suffix(1);
        bool soft = false;
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i] != '=') {
                out += line[i];
            } else if (i + 1 == line.size()) {
                soft = true;
            } else if (const int b = text::HexPairAt(line, i + 1); b >= 0) {
                out += static_cast<char>(b);
                i += 2;
            } else {
                out += '=';
            }
        }
        if (!soft && (k + 1 < lines.size() || lastLineEnd))
            out += "\r\n";
    }
    return out;
}

// From the "begin" line to the "end" line; each line's first character gives its length.
std::string DecodeUuencode(std::span<const std::string_view> lines) {
    std::string out;
    bool begun = false;
    for (std::string_view line : lines) {
        if (!begun) {
            begun = line.starts_with("begin ");
            continue;
        }
        if (line.starts_with("end") || line.empty())
            break;
        const auto value = [](char c) { return static_cast<unsigned>((c - 32) & 0x3F); };
        std::size_t n = value(line[0]);
        for (std::size_t i = 1; n > 0 && i < line.size(); i += 4) {
            char q[4] = {' ', ' ', ' ', ' '};
            for (std::size_t j = 0; j < 4 && i + j < line.size(); ++j)
                q[j] = line[i + j];
            const std::uint32_t v =
                value(q[0]) << 18 | value(q[1]) << 12 | value(q[2]) << 6 | value(q[3]);
            for (int b = 2; b >= 0 && n > 0; --b, --n)
                out += static_cast<char>((v >> (8 * b)) & 0xFF);
        }
    }
    return out;
}

}  // namespace

std::string DecodeTransfer(std::span<const std::string_view> lines, int encoding,
                           bool lastLineEnd) {
    switch (encoding) {
        case kEncodingBase64:
            return DecodeBase64(lines);
        case kEncodingQuotedPrintable:
            return DecodeQuotedPrintable(lines, lastLineEnd);
        case kEncodingUuencode:
            return DecodeUuencode(lines);
        default: {
            std::string out;
            for (std::size_t k = 0; k < lines.size(); ++k) {
                out += lines[k];
                if (k + 1 < lines.size() || lastLineEnd)
                    out += "\r\n";
            }
            return out;
        }
    }
}

std::string AttachmentBytes(std::string_view mailBytes, const AttachmentRecord& r) {
    MailLines::Reader reader(mailBytes);
    // The body starts after the header block's terminating line, as for the decoder.
    for (std::string_view line; reader.Next(line);)
        if (EndsHeaderBlock(line))
            break;
    std::vector<std::string_view> data;
    std::size_t n = 0;
    for (std::string_view line; n < r.endLine && reader.Next(line); ++n)
        if (n >= r.firstLine)
            data.push_back(line);
    return DecodeTransfer(data, r.encoding, !r.endsAtBoundary);
}

}  // namespace varnel::mail
