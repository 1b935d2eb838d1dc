// RFC 2047 encoded words: the two byte-level decoders used by the Decode command (their
// result keeps the word's charset) and the full decoder to CP932 used for file names.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace varnel::mail {

// Decodes every Base64 word that starts with prefix (lower-case, e.g.
// "=?iso-2022-jp?b?"; matched in any case) up to its "?=", keeping the text around it.
// The bytes are not converted (a JIS word yields JIS bytes). Blanks inside a word (a
// folding artefact) are skipped; NUL bytes are dropped; a word with a character outside
// the Base64 alphabet, or without its closing "?", is left as it stands. An empty prefix
// returns the text unchanged.
std::string DecodeEncodedWords(std::string_view text, std::string_view prefix);

// Decodes the quoted-printable word whose prefix of length n starts at p: the line
// before p, then the text after the prefix with "=XX" replaced by its byte up to the
// first "?=" (dropped), then the rest of the line. "_" stays as it is.
std::string DecodeQWord(std::string_view line, std::size_t p, std::size_t n);

// Decodes every encoded word (B or Q, any charset CharsetToCp932 knows) to CP932.
// Adjacent words separated only by whitespace are joined without it, and the bytes of
// adjacent words in one charset are converted together, so a JIS run or a UTF-8
// character split between two words survives. Malformed words stay as they are.
std::string DecodeMimeWords(std::string_view text);

}  // namespace varnel::mail
