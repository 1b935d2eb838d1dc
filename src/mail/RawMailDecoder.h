// The text of the Decode commands: a raw mail with its encoded header words and its
// Base64 or quoted-printable body decoded, the body kept in (repaired) ISO-2022-JP.
#pragma once

#include <string>
#include <vector>

namespace varnel::mail {

// paragraphs: the editor text's hard lines (a mail with its full header, or a draft).
// The result starts with "X-Status: READ" when the text has no status line and has the
// header, "--------", and the decoded body. zenkaku: half-width kana made full-width.
std::vector<std::string> DecodeRawMail(const std::vector<std::string>& paragraphs, bool zenkaku);

}  // namespace varnel::mail
