// A message or MIME part taken apart into header fields and body, for the stand-in's
// receiving and sending. Line ends are CR LF throughout.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pelkmail {

// One header field: its name (as written, "" for a line that is not a field) and its
// lines without their line ends, continuation lines included.
struct Field {
    std::string name;
    std::vector<std::string> lines;
    // The value: the lines joined (a folding line end dropped, its blank kept), without
    // the name, the colon and the blanks after it.
    std::string Value() const;
};

struct Part {
    std::vector<Field> fields;
    bool headerOnly = false;  // no empty line ended the header
    std::string body;         // after the empty line, as it stands

    // The first field of this name (any case); nullptr when absent.
    const Field* Find(std::string_view name) const;
    std::string Value(std::string_view name) const;  // "" when absent
    void Remove(std::string_view name);
    // Replaces the first field of this name by one line, or adds it at the end.
    void Set(std::string_view name, std::string_view value);
    std::string Join() const;
};

// LF and CR LF line ends become CR LF; a lone CR stays as it is.
std::string ToCrLf(std::string_view s);

// Lines of CR LF text without their ends; a final line end makes no empty last line.
std::vector<std::string_view> Lines(std::string_view s);

// The header fields and body of CR LF text. A line before the empty line that is neither
// a field nor a continuation is kept as a nameless field.
Part SplitPart(std::string_view crlf);

// The media type of a Content-Type value, lower-cased ("text/plain"); "" when absent.
std::string MediaType(std::string_view contentType);

// True when every byte is below 0x80.
bool IsAscii(std::string_view s);
// True when s is well-formed UTF-8.
bool IsUtf8(std::string_view s);

}  // namespace pelkmail
