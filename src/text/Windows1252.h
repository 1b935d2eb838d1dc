// The Western single-byte code page, for drawing text shown in the European font.
#pragma once

namespace varnel::text {

// The Unicode code point of one Windows-1252 byte: 0x80-0x9F are its typographic
// characters (€ ‚ ƒ „ … † ‡ ˆ ‰ Š ‹ Œ Ž ‘ ’ “ ” • – — ˜ ™ š › œ ž Ÿ); the five bytes the
// code page leaves undefined, and all others, are their Latin-1 code points.
char16_t Windows1252ToUnicode(unsigned char byte);

}  // namespace varnel::text
