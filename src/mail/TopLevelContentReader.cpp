// The top-level Content-Type facts the body pass starts from, read line by line as the
// header pass meets them.
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
        if (inField_) {
            fieldHasAscii_ = false;
            fieldTail_.clear();
            ReadType(*value);
        }
    } else if (inField_ && !typeRead_) {
        // The type folded onto a continuation line.
        ReadType(line);
    }
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

void TopLevelContentReader::ReadType(std::string_view value) {
    const std::string type = MediaTypeOf(value);
    if (type.empty())
        return;
    typeRead_ = true;
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
