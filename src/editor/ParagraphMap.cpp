// Paragraphs over the display lines of a line store.
#include "editor/ParagraphMap.h"

#include <algorithm>

namespace varnel::editor {

void ParagraphMap::Invalidate(int) {}

std::string_view ParagraphMap::Content(std::string_view line) {
    return StripLineEnd(line);
}

int ParagraphMap::ParaStart(int line) const {
    return lines_.ParaStart(std::clamp(line, 0, std::max(0, lines_.Count() - 1)));
}

int ParagraphMap::ParaEnd(int line) const {
    return lines_.ParaEnd(line);
}

int ParagraphMap::ParagraphOfLine(int line) {
    if (lines_.Count() == 0)
        return 0;
    const int start = ParaStart(line);
    // Every line before a paragraph's first line that is not soft ends a paragraph.
    return start - lines_.SoftBefore(start);
}

int ParagraphMap::FirstLineOfParagraph(int para) {
    const int count = lines_.Count();
    if (count == 0 || para <= 0)
        return 0;
    if (lines_.SoftCount() == 0)
        return std::min(para, count - 1);
    // The line after the para-th hard line; past the last paragraph, its first line.
    const int last = count - 1;
    const int hardBeforeLast = count - lines_.SoftCount() - (lines_.IsSoft(last) ? 0 : 1);
    if (hardBeforeLast < para)
        return ParaStart(last);
    return lines_.HardLine(para - 1) + 1;
}

int ParagraphMap::ParagraphCount() {
    const int count = lines_.Count();
    if (count == 0)
        return 0;
    // Every hard line ends a paragraph; a soft last line (only after outside writes)
    // still ends one.
    return count - lines_.SoftCount() + (HardAt(count - 1) ? 0 : 1);
}

std::string ParagraphMap::JoinParagraph(int start, int& end) const {
    end = ParaEnd(start);
    std::string text;
    for (int i = start; i <= end && i < lines_.Count(); ++i)
        text += i == end ? Content(lines_[i]) : std::string_view(lines_[i]);
    return text;
}

std::string ParagraphMap::GetParagraphText(int line) const {
    if (lines_.Count() == 0)
        return {};
    int end = 0;
    return JoinParagraph(ParaStart(line), end);
}

LogicalPos ParagraphMap::ToLogical(DisplayPos pos) {
    if (lines_.Count() == 0)
        return {};
    const int line = std::clamp(pos.line, 0, lines_.Count() - 1);
    LogicalPos out{ParagraphOfLine(line), std::max(0, pos.x)};
    for (int i = ParaStart(line); i < line; ++i)
        out.offset += static_cast<int>(lines_[i].size());
    return out;
}

DisplayPos ParagraphMap::ToDisplay(LogicalPos pos, bool nextAtBreak) {
    if (lines_.Count() == 0)
        return {};
    int line = FirstLineOfParagraph(pos.para);
    int x = std::max(0, pos.offset);
    while (!HardAt(line) && line + 1 < lines_.Count()) {
        const int len = static_cast<int>(lines_[line].size());
        if (x < len || (x == len && !nextAtBreak))
            break;
        x -= len;
        ++line;
    }
    x = std::min(x, static_cast<int>(Content(lines_[line]).size()));
    return {line, x};
}

}  // namespace varnel::editor
