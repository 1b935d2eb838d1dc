// The built-in Japanese character-code converter: ISO-2022-JP (JIS) and EUC-JP text to
// Shift_JIS (CP932), byte-exact, half-width katakana included.
#pragma once

#include <string>
#include <string_view>

namespace varnel::mail {

// The converter is part of the program, so it is always there.
constexpr bool NkfAvailable() {
    return true;
}

// ISO-2022-JP to CP932. Recognises ESC "$B", ESC "$@", ESC "$(B" (JIS X 0208, rows 1-84
// and the extension rows 89-92 by the standard JIS-to-Shift_JIS arithmetic, NEC row 13
// included), ESC "(B", ESC "(J" (one-byte text), ESC "(I" and SO/SI (half-width kana),
// ESC "$(D" (JIS X 0212, which CP932 lacks: each character becomes "〓"). Codes CP932
// has no place for (rows 85-88, 93-94) become "〓". Bytes that fit no rule and unknown
// escapes pass through unchanged; a trailing odd byte in double-byte mode is kept.
std::string JisToSjis(std::string_view jis);

// EUC-JP to CP932: two-byte JIS X 0208 as above, SS2 half-width kana, SS3 JIS X 0212
// as "〓". ASCII and malformed bytes pass through.
std::string EucToSjis(std::string_view euc);

// The converter's call contract: with options "-s" converts ISO-2022-JP (text holding an
// ESC) or EUC-JP (anything else) to Shift_JIS. Other options return the text unchanged.
std::string NkfConvertString(std::string_view text, std::string_view options);

}  // namespace varnel::mail
