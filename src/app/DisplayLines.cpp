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

}  // namespace varnel::app
