// Quote, comment and unquote marks on lines of a reply, and the quoted-printable
// escape of the Q-Encode command. Lines are CP932 text without their line ends.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace varnel::mail {

// Puts mark in front of every line. A line that already begins with the mark's short
// form (its first character when the mark is that character and a blank) gets only the
// short form, so "> " on "> text" gives ">> text".
void QuoteLines(std::vector<std::string>& lines, std::string_view mark);

// The quote prefix of a line: its leading run of the single-byte characters of
// quoteChar; when that is empty, its leading run of "　", "＞" and "＃".
std::string QuotePrefix(std::string_view line, std::string_view quoteChar);

// Takes the first line's quote prefix off every line that begins with it, and the
// prefix without its trailing blanks off the lines that begin with that instead.
void UnquoteLines(std::vector<std::string>& lines, std::string_view quoteChar);

// Every byte above 0x7F becomes "=" and two upper-case hex digits, "=" becomes "=3D".
void QEncodeLines(std::vector<std::string>& lines);

}  // namespace varnel::mail
