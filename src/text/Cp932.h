// CP932 <-> UTF-8 at the edges only (drawing, clipboard, input method, titles, the
// terminal). Stored text is never round-tripped through Unicode.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace varnel::text {

// What becomes of C0 control bytes other than TAB, and of DEL, in UTF-8 for a terminal.
enum class Controls {
    kKeep,
    kCaret,       // caret notation as `cat -v` shows them: ESC "^[", NUL "^@", DEL "^?"
    kCaretButLf,  // the same with LF kept (the line ends of a block of lines)
};

// Undecodable bytes become U+FFFD, one per byte (or per broken pair).
std::string Cp932ToUtf8(std::string_view cp932);
// The same, appended to out (whose room is kept for the next call), control bytes
// written as asked in the same pass.
void AppendCp932AsUtf8(std::string_view cp932, std::string& out,
                       Controls controls = Controls::kKeep);
// The same through iconv call by call: the table above is taken from it, and tests
// compare the two.
void AppendCp932AsUtf8ByIconv(std::string_view cp932, std::string& out);

// utf8 with its control bytes in caret notation (kCaret, or kCaretButLf with keepLf).
// UTF-8 sequences never hold such bytes, so characters pass unchanged.
void AppendCaretEscaped(std::string_view utf8, std::string& out, bool keepLf);

// Characters CP932 lacks become the substitute (default "〓", 0x81 0xAC); invalid
// UTF-8 bytes likewise.
std::string Utf8ToCp932(std::string_view utf8, std::string_view substitute = "\x81\xac");

// bytes in the named character set (any name glibc iconv knows) as UTF-8; bytes that
// are not valid in that set become U+FFFD. nullopt when iconv does not know the name.
std::optional<std::string> CharsetToUtf8(std::string_view bytes, const std::string& charset);

// True when s is well-formed UTF-8 and holds at least one character beyond ASCII.
bool IsNonAsciiUtf8(std::string_view s);

}  // namespace varnel::text
