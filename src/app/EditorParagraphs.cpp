// Paragraphs of the editor text.
#include "app/EditorParagraphs.h"

#include <algorithm>

#include "editor/LineString.h"

namespace varnel::app {

std::vector<std::string> EditorParagraphs(const editor::TSonEdit& e) {
    std::vector<std::string> ps(1);
    const editor::TSonStrings& lines = e.Lines();
    for (int i = 0; i < lines.Count(); ++i) {
        const std::string& l = lines.Get(i);
        ps.back() += editor::StripLineEnd(l);
        if (editor::HasCrLfEnd(l))
            ps.emplace_back();
    }
    return ps;
}

int ParagraphOfLine(const editor::TSonEdit& e, int line) {
    const editor::TSonStrings& lines = e.Lines();
    int para = 0;
    for (int i = 0; i < line && i < lines.Count(); ++i) {
        if (editor::HasCrLfEnd(lines.Get(i)))
            ++para;
    }
    return para;
}

int FirstLineOfParagraph(const editor::TSonEdit& e, int para) {
    const editor::TSonStrings& lines = e.Lines();
    int line = 0;
    for (int p = 0; p < para && line < lines.Count(); ++line) {
        if (editor::HasCrLfEnd(lines.Get(line)))
            ++p;
    }
    return line;
}

void ReplaceParagraphs(editor::TSonEdit& e, int first, int last,
                       const std::vector<std::string>& lines) {
    const int paragraphs = static_cast<int>(EditorParagraphs(e).size());
    const bool reachesEnd = last + 1 >= paragraphs;
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        text += lines[i];
        if (!(reachesEnd && i + 1 == lines.size()))
            text += "\r\n";
    }
    int firstLine = FirstLineOfParagraph(e, first);
    int lastLine = reachesEnd ? e.Lines().Count() - 1 : FirstLineOfParagraph(e, last + 1) - 1;
    e.ReplaceLines(text, firstLine, lastLine);
}

bool ReplaceChangedParagraphs(editor::TSonEdit& e, const std::vector<std::string>& paragraphs) {
    if (paragraphs.empty())
        return ReplaceChangedParagraphs(e, std::vector<std::string>(1));
    const std::vector<std::string> old = EditorParagraphs(e);
    const std::size_t n = std::min(old.size(), paragraphs.size());
    std::size_t head = 0;
    while (head < n && old[head] == paragraphs[head])
        ++head;
    if (head == old.size() && head == paragraphs.size())
        return false;
    std::size_t tail = 0;
    while (tail < n - head &&
           old[old.size() - 1 - tail] == paragraphs[paragraphs.size() - 1 - tail])
        ++tail;
    // Both ranges hold at least one paragraph: an unchanged neighbour joins a pure
    // insertion or deletion.
    if (head + tail == old.size() || head + tail == paragraphs.size()) {
        if (head > 0)
            --head;
        else
            --tail;
    }
    ReplaceParagraphs(
        e, static_cast<int>(head), static_cast<int>(old.size() - tail) - 1,
        std::vector<std::string>(paragraphs.begin() + static_cast<std::ptrdiff_t>(head),
                                 paragraphs.end() - static_cast<std::ptrdiff_t>(tail)));
    return true;
}

}  // namespace varnel::app
