// Finding, decoding and checking the HTML part.
#include "mail/HtmlPart.h"

#include <vector>

#include "mail/AttachmentData.h"
#include "mail/AttachmentSize.h"
#include "mail/Boundary.h"
#include "mail/MailLines.h"
#include "mail/MimeField.h"
#include "text/Sjis.h"

namespace varnel::mail {
namespace {

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

// Attribute names "on" + letters followed by "=", inside tags (quoted values skipped).
bool HasEventHandler(std::string_view lower) {
    bool inTag = false;
    char quote = 0;
    for (std::size_t i = 0; i < lower.size(); ++i) {
        const char c = lower[i];
        if (!inTag) {
            inTag = c == '<';
            quote = 0;
        } else if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            inTag = false;
        } else if (c == 'o' && lower.substr(i, 2) == "on" &&
                   (IsBlank(lower[i - 1]) || lower[i - 1] == '/' || lower[i - 1] == '"' ||
                    lower[i - 1] == '\'')) {
            std::size_t j = i + 2;
            while (j < lower.size() && IsLetter(lower[j]))
                ++j;
            std::size_t k = j;
            while (k < lower.size() && IsBlank(lower[k]))
                ++k;
            if (j > i + 2 && k < lower.size() && lower[k] == '=')
                return true;
            i = j - 1;
        }
    }
    return false;
}

// A charset name as a meta element may carry it: letters, digits and "-_.:" only.
std::string SafeCharset(std::string_view field) {
    const std::string lower = text::ToLowerAscii(field);
    const std::size_t at = lower.find("charset=");
    if (at == std::string::npos)
        return {};
    std::string_view v = std::string_view(field).substr(at + 8);
    if (v.starts_with('"'))
        v.remove_prefix(1);
    std::string name;
    for (char c : v) {
        if (!(IsLetter(c) || (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.' ||
              c == ':'))
            break;
        name += c;
    }
    return name;
}

// "--" + boundary, or its closing form, with transport padding allowed.
bool IsBoundaryLine(std::string_view line, std::string_view boundary) {
    if (boundary.empty() || !line.starts_with("--"))
        return false;
    std::string_view b = BoundaryText(line);
    if (b.ends_with("--") && b.size() == boundary.size() + 2)
        b.remove_suffix(2);
    return b == boundary;
}

int EncodingOf(std::string_view value) {
    const std::string v = text::ToLowerAscii(value);
    return text::Contains(v, "base64")   ? kEncodingBase64
           : text::Contains(v, "quoted") ? kEncodingQuotedPrintable
           : text::Contains(v, "uu")     ? kEncodingUuencode
                                         : kEncodingNone;
}

}  // namespace

HtmlPart ExtractHtmlPart(std::string_view mailBytes) {
    std::vector<std::string_view> lines;
    MailLines::Reader reader(mailBytes);
    for (std::string_view line; reader.Next(line);)
        lines.push_back(line);

    // The header the Content-Type line stands in starts at the file's top or after the
    // last boundary line; every "boundary=" met on the way sets the boundary.
    std::string boundary;
    std::size_t headerStart = 0;
    std::size_t typeLine = lines.size();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string lower = text::ToLowerAscii(lines[i]);
        if (text::Contains(lower, "boundary="))
            if (std::string b = ExtractBoundary(lines[i], lower); !b.empty())
                boundary = std::move(b);
        if (IsBoundaryLine(lines[i], boundary))
            headerStart = i + 1;
        if (const auto v = FieldValue(lines[i], "content-type");
            v && MediaTypeOf(*v) == "text/html") {
            typeLine = i;
            break;
        }
    }
    HtmlPart part;
    if (typeLine == lines.size())
        return part;
    part.found = true;

    // The part header: its transfer encoding and the charset of its Content-Type field.
    std::size_t i = typeLine;
    while (i < lines.size() && !lines[i].empty() && !lines[i].starts_with("----"))
        ++i;
    int encoding = kEncodingNone;
    for (std::size_t k = headerStart; k < i; ++k)
        if (const auto v = FieldValue(lines[k], "content-transfer-encoding"))
            encoding = EncodingOf(*v);
    std::string typeField(lines[typeLine]);
    for (std::size_t k = typeLine + 1; k < i && (lines[k][0] == ' ' || lines[k][0] == '\t'); ++k)
        typeField += lines[k];
    const std::string charset = SafeCharset(typeField);
    if (i < lines.size() && lines[i].empty())
        ++i;  // the empty line ending the header

    std::vector<std::string_view> data;
    bool atBoundary = false;
    for (; i < lines.size(); ++i) {
        if (IsBoundaryLine(lines[i], boundary)) {
            atBoundary = true;
            break;
        }
        data.push_back(lines[i]);
    }
    std::string html = DecodeTransfer(data, encoding, !atBoundary);
    part.risky = HasRiskyContent(html);
    const std::string lower = text::ToLowerAscii(html.substr(0, 1024));
    if (!charset.empty() && !text::Contains(lower, "charset"))
        part.html = "<meta charset=\"" + charset + "\">\r\n";
    part.html += html;
    return part;
}

bool HasRiskyContent(std::string_view html) {
    const std::string lower = text::ToLowerAscii(html);
    return text::Contains(lower, "<script") || text::Contains(lower, "<applet") ||
           text::Contains(lower, "<object") || text::Contains(lower, "javascript:") ||
           HasEventHandler(lower);
}

}  // namespace varnel::mail
