// Paragraphs over the display lines of a line store: where a paragraph starts and ends,
// its joined text, and conversion between display and paragraph positions.
//
// Paragraph starts, ends and indices come from the store's soft-line counts, so
// conversions cost a tree search whatever the size of the text.
#pragma once

#include <string>
#include <string_view>

#include "editor/Positions.h"
#include "editor/SonStrings.h"

namespace varnel::editor {

class ParagraphMap {
  public:
    explicit ParagraphMap(const TSonStrings& lines) : lines_(lines) {}

    // Told of every store change (the first line touched); nothing is cached today.
    void Invalidate(int firstChangedLine);

    // The line's text without its terminator (CR LF or NUL).
    static std::string_view Content(std::string_view line);

    // First line of the paragraph holding line (0 for line 0).
    int ParaStart(int line) const;
    // First line at or after line that has a hard end (the last line when none has).
    int ParaEnd(int line) const;
    // Index of the paragraph holding line.
    int ParagraphOfLine(int line);
    // First line of paragraph para (clamped to the existing paragraphs).
    int FirstLineOfParagraph(int para);
    int ParagraphCount();

    // Text of the paragraph that starts at line start, pieces joined, no terminator;
    // end receives its last line.
    std::string JoinParagraph(int start, int& end) const;
    // Text of the paragraph holding line (clamped into the store).
    std::string GetParagraphText(int line) const;

    LogicalPos ToLogical(DisplayPos pos);
    // A position at a soft break lands at the end of the earlier line, or at the start
    // of the next one when nextAtBreak is set (where typing continues). Offsets past
    // the paragraph's text are clamped to its end.
    DisplayPos ToDisplay(LogicalPos pos, bool nextAtBreak = false);

  private:
    bool HardAt(int line) const { return HasHardEnd(lines_[line]); }

    const TSonStrings& lines_;
};

}  // namespace varnel::editor
