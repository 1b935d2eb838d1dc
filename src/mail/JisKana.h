// JIS X 0201 half-width katakana and the full-width katakana of JIS X 0208, both ways,
// on ISO-2022-JP text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace varnel::mail {

// The JIS X 0208 code (0x2123...) of the full-width form of half-width kana byte c
// (0x21-0x5F in JIS X 0201 katakana), or 0 outside that range.
std::uint16_t FullWidthKanaCode(unsigned char c);

// Every half-width run (ESC "(I" up to the next ESC or the end) becomes ESC "$B" and the
// full-width characters; a voiced or semi-voiced mark joins the kana before it (カ+゛
// gives ガ, ハ+゜ gives パ, ウ+゛ gives ヴ). Bytes outside 0x21-0x5F pass through; the
// ESC that ends the run is kept.
void JisKanaToFullWidth(std::string& text);

// The half-width bytes of a full-width JIS X 0208 character (one byte, or two for a
// voiced or semi-voiced kana); empty when it has no half-width form.
std::string HalfWidthKanaBytes(unsigned char j1, unsigned char j2);

}  // namespace varnel::mail
