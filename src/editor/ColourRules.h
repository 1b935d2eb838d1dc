// Colour rules of the editor's text: the colour of a paragraph from its first
// characters (quotes, header lines, the marker line) and the links inside a paragraph
// (web and mail addresses, file paths, tag names, attachment names, HTML tags).
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "editor/PaintProperties.h"

namespace varnel::editor {

// True when the first character of text (one byte, or two for a double-byte
// character) is one of the characters of quoteMarks. Whole characters are compared,
// so the trail byte of a double-byte mark never matches an ASCII letter.
bool StartsWithQuoteMark(std::string_view text, std::string_view quoteMarks,
                         bool singleByte = false);

// Text colour of every display line of the paragraph whose text begins with
// paragraphStart (its first display line is enough).
TColor ParagraphColour(std::string_view paragraphStart, const PaintProperties& look,
                       bool singleByte = false);

struct LinkSpan {
    std::size_t begin = 0;  // byte offsets in the paragraph text
    std::size_t end = 0;
    bool underline = true;  // links are underlined; HTML tags are only coloured
};

// Links of a paragraph (its soft pieces joined, without its line end), in order of
// their start. Empty when colouring is off.
std::vector<LinkSpan> FindLinks(std::string_view paragraph, const PaintProperties& look,
                                bool singleByte = false);

}  // namespace varnel::editor
