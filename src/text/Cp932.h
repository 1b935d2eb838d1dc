// CP932 <-> UTF-8 at the edges only (drawing, clipboard, input method, titles, the
// terminal). Stored text is never round-tripped through Unicode.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace varnel::text {

// Undecodable bytes become U+FFFD, one per byte (or per broken pair).
std::string Cp932ToUtf8(std::string_view cp932);
// The same, appended to out (whose room is kept for the next call).
void AppendCp932AsUtf8(std::string_view cp932, std::string& out);
// The same through iconv call by call: the table above is taken from it, and tests
// compare the two.
void AppendCp932AsUtf8ByIconv(std::string_view cp932, std::string& out);

// Characters CP932 lacks become the substitute (default "〓", 0x81 0xAC); invalid
// UTF-8 bytes likewise.
std::string Utf8ToCp932(std::string_view utf8, std::string_view substitute = "\x81\xac");

// bytes in the named character set (any name glibc iconv knows) as UTF-8; bytes that
// are not valid in that set become U+FFFD. nullopt when iconv does not know the name.
std::optional<std::string> CharsetToUtf8(std::string_view bytes, const std::string& charset);

// True when s is well-formed UTF-8 and holds at least one character beyond ASCII.
bool IsNonAsciiUtf8(std::string_view s);

}  // namespace varnel::text
