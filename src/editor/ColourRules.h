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
    bool operator==(const LinkSpan&) const = default;
};

// Links of a paragraph (its soft pieces joined, without its line end), in order of
// their start. Empty when colouring is off. A scan from a position LinkScanStart gave
// finds the links that start there or later, and the attachment name, exactly as a
// scan of the whole paragraph; every link that starts earlier ends before it.
std::vector<LinkSpan> FindLinks(std::string_view paragraph, const PaintProperties& look,
                                bool singleByte = false, std::size_t from = 0);

// A position at or before pos that the scan of the whole paragraph passes: a character
// boundary over which no earlier link, tag name or HTML tag can run. Found by walking
// back about as far as the text before pos is long (0 when that does not settle it),
// so that a page deep in a long paragraph scans from near its own start.
std::size_t LinkScanStart(std::string_view paragraph, std::size_t pos, const PaintProperties& look,
                          bool singleByte = false);

}  // namespace varnel::editor
