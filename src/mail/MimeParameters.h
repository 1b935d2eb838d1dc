// Tokenizer for the parameters of a Content-Type or Content-Disposition field
// ("; name=value", quoted strings, RFC 2231 "name*N*=" sections).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace varnel::mail {

struct MimeParameter {
    std::string name;       // lower-cased, without section number and "*"
    int section = -1;       // N of "name*N", -1 when absent
    bool extended = false;  // trailing "*": the value is percent-encoded (RFC 2231)
    bool quoted = false;
    std::string value;  // a quoted string without its quotes and backslash escapes
};

// The parameters after the field's first ";", in order. Unquoted values end at ";" or
// whitespace, except that encoded words folded onto the next line stay one value.
// Text that is not a parameter is skipped up to the next ";".
std::vector<MimeParameter> ParseMimeParameters(std::string_view field);

// "%XX" replaced by its byte; a "%" without two hex digits stays as text.
std::string PercentDecode(std::string_view s);

}  // namespace varnel::mail
