// The top-level Content-Type facts the body pass starts from, read line by line as the
// header pass meets them.
#include "mail/AttachmentSize.h"
#include "mail/BodyPass.h"
#include "mail/Boundary.h"
#include "mail/MimeField.h"
#include "text/Sjis.h"

namespace varnel::mail {

TopLevelContentReader::TopLevelContentReader(bool europeanFontOn)
    : europeanFontOn_(europeanFontOn) {}

void TopLevelContentReader::FeedLine(std::string_view line) {
    const bool continuation = !line.empty() && (line[0] == ' ' || line[0] == '\t');
    const std::string lower = text::ToLowerAscii(line);
    if (!continuation) {
        // "Content-Type:multipart/mixed" and "content-type :" count as well.
        const auto value = FieldValue(line, "content-type");
        inField_ = value.has_value();
        typeRead_ = false;
        gathering_ = nullptr;
        if (inField_) {
            fieldHasAscii_ = false;
            fieldTail_.clear();
            ReadType(*value);
            if (content_.typeField.empty())
                gathering_ = &content_.typeField;
        } else if (FieldValue(line, "content-disposition") && content_.dispositionField.empty()) {
            gathering_ = &content_.dispositionField;
        }
        encodingFolded_ = false;
        if (const auto cte = FieldValue(line, "content-transfer-encoding"))
            ReadEncoding(*cte);
    } else {
        // The type or the encoding folded onto a continuation line.
        if (inField_ && !typeRead_)
            ReadType(line);
        if (encodingFolded_)
            ReadEncoding(line);
    }
    if (gathering_)
        *gathering_ += line;
    if (inField_) {
        // Only the joint with the previous line is searched again, so a long folded
        // field costs linear time.
        const std::string joint = fieldTail_ + lower;
        fieldHasAscii_ = fieldHasAscii_ || text::Contains(joint, "ascii");
        fieldTail_ = joint.substr(joint.size() > 4 ? joint.size() - 4 : 0);
        if (!europeanFontOn_) {
            if (text::Contains(line, "8859") || fieldHasAscii_)
                content_.latin = true;
            else if (text::Contains(line, "2022"))
                content_.latin = false;
        }
    }
    // The boundary may stand on the field's line or any later header line.
    if (seekBoundary_) {
        std::string b = ExtractBoundary(line, lower);
        if (!b.empty()) {
            content_.boundaries.push_back(std::move(b));
            seekBoundary_ = false;
        }
    }
}

void TopLevelContentReader::ReadEncoding(std::string_view value) {
    const std::string v = text::ToLowerAscii(text::TrimBlanks(value));
    encodingFolded_ = v.empty();
    content_.encoding = text::Contains(v, "base64")   ? kEncodingBase64
                        : text::Contains(v, "quoted") ? kEncodingQuotedPrintable
                        : text::Contains(v, "uu")     ? kEncodingUuencode
                                                      : kEncodingNone;
}

void TopLevelContentReader::ReadType(std::string_view value) {
    const std::string type = MediaTypeOf(value);
    if (type.empty())
        return;
    typeRead_ = true;
    if (content_.type.empty())
        content_.type = type;
    if (type.starts_with("text/html"))
        content_.htmlPending = true;
    if (type.starts_with("multipart/related"))
        content_.related = true;
    if (type.starts_with("multipart/")) {
        content_.multipart = true;
        seekBoundary_ = true;
    }
}

}  // namespace varnel::mail
