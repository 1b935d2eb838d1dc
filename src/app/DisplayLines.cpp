// Lines for a plain text view.
#include "app/DisplayLines.h"

#include "editor/LineString.h"

namespace varnel::app {

std::vector<std::string> ShownLines(const editor::TSonStrings& store) {
    std::vector<std::string> shown;
    std::string paragraph;
    bool open = false;
    for (const std::string& line : store.Lines()) {
        paragraph += editor::StripLineEnd(line);
        open = true;
        if (editor::HasHardEnd(line)) {
            const bool emptyEnd = editor::HasEofMark(line) && paragraph.empty();
            if (!emptyEnd)
                shown.push_back(std::move(paragraph));
            paragraph.clear();
            open = false;
        }
    }
    if (open)
        shown.push_back(std::move(paragraph));
    return shown;
}

std::string EditorText(const std::vector<std::string>& lines, bool finalLineEnd) {
    std::size_t size = 0;
    for (const std::string& line : lines)
        size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    if (!finalLineEnd && !lines.empty())
        text.resize(text.size() - 2);
    return text;
}

}  // namespace varnel::app
