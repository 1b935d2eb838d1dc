// Word wrap: how many bytes of a paragraph fit on one display line, cutting paragraphs
// into display lines, wrapping and unwrapping a whole store, and tab expansion.
//
// Cuts keep double-byte characters whole and never fall right after a CR, LF or NUL, so
// a soft piece can never be mistaken for a line end. Widths are measured without the
// terminator, so a paragraph exactly as wide as the wrap column stays one line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "editor/CharRules.h"
#include "editor/SonStrings.h"
#include "platform/TextMetrics.h"

namespace varnel::editor {

struct WrapSettings {
    int column = 72;          // wrap column in cells, at least 10
    bool autoWrap = false;    // also limit the width to the text area
    int tabCount = 6;         // tab stop distance in cells, 1..8
    bool singleByte = false;  // every byte a character
    int textAreaWidth = 0;    // pixels

    bool operator==(const WrapSettings&) const = default;
};

class WrapEngine {
  public:
    explicit WrapEngine(const platform::TextMetrics& metrics) : metrics_(metrics) {}

    WrapSettings settings;

    CharRules Rules() const { return CharRules{settings.singleByte}; }
    int CellWidth() const;
    // The width a display line may take: the column's width (limited by the text area
    // with auto wrap), never below ten cells.
    int WrapWidth() const;

    // Bytes of text (a paragraph's text, no terminator) that fit on the first line,
    // before the cut rules; text.size() when all of it fits.
    std::size_t WrapPosition(std::string_view text) const;
    // Where the first display line of text ends after the cut rules; text.size() when
    // the text stays whole.
    std::size_t CutPosition(std::string_view text) const;
    // Appends the display lines of one paragraph: soft pieces, then the last piece with
    // terminator ("\r\n", a NUL, or nothing).
    void CutParagraph(std::string_view text, std::string_view terminator,
                      std::vector<std::string>& out) const;

    // Display lines of the whole store wrapped / unwrapped (one line per paragraph).
    std::vector<std::string> WrapAll(const TSonStrings& lines) const;
    // Display lines of hard lines (each ending in CR LF or, the last, NUL) wrapped; a
    // line that fits is moved, not copied.
    std::vector<std::string> WrapHardLines(std::vector<std::string>&& lines) const;
    // Appends the display lines of one hard line and returns true; returns false and
    // appends nothing when the line fits as it is.
    bool CutHardLine(std::string_view line, std::vector<std::string>& out) const;
    // What the wrap depends on besides the text: the settings and the font's widths
    // (the text area's width only with auto wrap).
    struct Key {
        WrapSettings settings;
        int cell = 0, narrow = 0, wide = 0, doubleByte = 0;
        bool operator==(const Key&) const = default;
    };
    Key CurrentKey() const;
    std::vector<std::string> UnwrapAll(const TSonStrings& lines) const;

    // Each tab replaced by blanks up to the next tab stop (a double-byte character is
    // two cells, as wide as its two bytes).
    std::string ExpandTabs(std::string_view text) const;
    // Pixel width of text drawn from the start of a display line (tabs expanded).
    int ExpandedWidth(std::string_view text) const;

  private:
    bool CutAllowedAt(std::string_view text, std::size_t k) const;

    const platform::TextMetrics& metrics_;
};

}  // namespace varnel::editor
