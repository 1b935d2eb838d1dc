// Reading MIME header fields as real mail writes them: the field name in any letter
// case, blanks allowed around the colon, the value possibly on a continuation line.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace varnel::mail {

// The value of line when it is a field named lowerName (given lower-case, without the
// colon): the text after the colon and the blanks and TABs after it. nullopt for any
// other line.
std::optional<std::string_view> FieldValue(std::string_view line, std::string_view lowerName);

// The media type at the start of a Content-Type value ("text/html" from
// " Text/HTML; charset=x"), lower-cased; empty when the value holds none yet.
std::string MediaTypeOf(std::string_view value);

// A boundary line's text after its leading "--", without the trailing blanks and TABs
// that a transport may add after a delimiter.
std::string_view BoundaryText(std::string_view line);

}  // namespace varnel::mail
