// Repair of ISO-2022-JP text damaged by old gateways and mail tools.
#pragma once

#include <string>
#include <string_view>

namespace varnel::mail {

// Turns known damaged forms back into proper escape sequences, in one forward pass:
// - ESC "$B" ESC "(J" and ESC "$B" "(J" (an empty kanji run; the second lost its ESC):
//   ESC "(J";
// - "y" standing for a lost ESC: "y$B" in one-byte text, "y(J" at a character boundary
//   of kanji text;
// - ESC "(J" "w" ESC "$B" before full-width katakana: a half-width kana run that was
//   widened; rebuilt as ESC "(I" and the half-width codes, then ESC "$B" again when
//   other kanji follow;
// - ESC "(J" "x" b ESC "$B": a single half-width kana b between kanji.
// Everything else is copied as it is.
std::string RepairDamagedJis(std::string_view jis);

}  // namespace varnel::mail
