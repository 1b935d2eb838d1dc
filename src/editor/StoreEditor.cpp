// Replacing document bytes in the line store.
#include "editor/StoreEditor.h"

#include <algorithm>
#include <vector>

#include "editor/LineSplitter.h"

namespace varnel::editor {

namespace {
// Collected paragraphs: their joined document bytes from a paragraph's first line.
struct Span {
    std::string bytes;  // paragraph texts, each followed by CR LF unless it is the last one
    int firstLine = 0;
    int lastLine = 0;
    bool reachesEnd = false;  // the last paragraph collected is the end-of-text one
};
}  // namespace

LogicalPos StoreEditor::Normalize(LogicalPos pos) {
    const int count = map_.ParagraphCount();
    if (count == 0)
        return {};
    pos.para = std::clamp(pos.para, 0, count - 1);
    pos.offset = std::max(0, pos.offset);
    int line = map_.FirstLineOfParagraph(pos.para);
    for (;;) {
        int end = 0;
        const std::string text = map_.JoinParagraph(line, end);
        const int len = static_cast<int>(text.size());
        const bool last = end + 1 >= lines_.Count();
        if (pos.offset <= len || last) {
            pos.offset = std::min(pos.offset, len);
            return pos;
        }
        // Beyond this paragraph's CR LF: continue in the next one (a place between the
        // CR and the LF becomes the start of the next paragraph).
        pos.offset = std::max(0, pos.offset - len - 2);
        ++pos.para;
        line = end + 1;
    }
}

LogicalPos StoreEditor::SnapToChar(LogicalPos pos) {
    pos = Normalize(pos);
    int end = 0;
    const std::string text = map_.JoinParagraph(map_.FirstLineOfParagraph(pos.para), end);
    pos.offset = static_cast<int>(wrap_.Rules().Snap(text, static_cast<std::size_t>(pos.offset)));
    return pos;
}

std::string StoreEditor::Read(LogicalPos pos, std::size_t n) {
    pos = Normalize(pos);
    std::string out;
    int line = map_.FirstLineOfParagraph(pos.para);
    std::size_t skip = static_cast<std::size_t>(pos.offset);
    while (out.size() < n && line < lines_.Count()) {
        int end = 0;
        std::string text = map_.JoinParagraph(line, end);
        const bool last = end + 1 >= lines_.Count();
        if (!last)
            text += "\r\n";
        const std::size_t from = std::min(skip, text.size());
        out.append(text, from, n - out.size());
        skip = 0;
        line = end + 1;
    }
    return out;
}

LogicalPos StoreEditor::Advance(LogicalPos pos, std::size_t n) {
    pos = Normalize(pos);
    pos.offset += static_cast<int>(std::min<std::size_t>(n, INT32_MAX - pos.offset));
    return Normalize(pos);
}

std::size_t StoreEditor::Distance(LogicalPos a, LogicalPos b) {
    a = Normalize(a);
    b = Normalize(b);
    if (b <= a)
        return 0;
    if (a.para == b.para)
        return static_cast<std::size_t>(b.offset - a.offset);
    std::size_t n = 0;
    int line = map_.FirstLineOfParagraph(a.para);
    for (int p = a.para; p < b.para; ++p) {
        int end = 0;
        n += map_.JoinParagraph(line, end).size() + 2;
        line = end + 1;
    }
    return n - static_cast<std::size_t>(a.offset) + static_cast<std::size_t>(b.offset);
}

LogicalPos StoreEditor::End() {
    return Normalize({INT32_MAX, INT32_MAX});
}

Replacement StoreEditor::Replace(LogicalPos pos, std::size_t n, std::string_view text) {
    pos = Normalize(pos);
    Replacement r;
    r.start = pos;
    const auto off = static_cast<std::size_t>(pos.offset);

    // Collect whole paragraphs until the run to replace ends before the CR LF closing
    // the last one collected, so every collected piece keeps its line end intact.
    Span span;
    span.firstLine = map_.FirstLineOfParagraph(pos.para);
    int line = span.firstLine;
    for (;;) {
        int end = 0;
        span.bytes += map_.JoinParagraph(line, end);
        span.lastLine = end;
        if (end + 1 >= lines_.Count()) {
            span.reachesEnd = true;
            break;
        }
        span.bytes += "\r\n";
        if (off + n <= span.bytes.size() - 2)
            break;
        line = end + 1;
    }
    const std::size_t cut = std::min(n, span.bytes.size() - std::min(off, span.bytes.size()));
    r.removed = span.bytes.substr(off, cut);

    std::string joined;
    joined.reserve(span.bytes.size() - cut + text.size());
    joined.append(span.bytes, 0, off);
    joined.append(text);
    joined.append(span.bytes, off + cut);
    const std::size_t endOffset = off + text.size();

    // Split into paragraphs and cut each into display lines.
    std::vector<std::string> paras = LineSplitterSplitCrLf(joined);
    if (!span.reachesEnd)
        paras.pop_back();  // the empty rest after the final CR LF
    std::vector<std::string> out;
    out.reserve(paras.size() + 2);
    std::size_t at = 0;
    bool endFound = false;
    for (std::size_t i = 0; i < paras.size(); ++i) {
        std::string& p = paras[i];
        const bool isLast = i + 1 == paras.size();
        const bool hasCrLf = !(isLast && span.reachesEnd);
        if (hasCrLf)
            p.resize(p.size() - 2);
        const std::size_t len = p.size();
        if (!endFound && endOffset <= at + len + (hasCrLf ? 1 : 0)) {
            // An end between a CR and its LF stands at the end of the paragraph's text.
            r.end = {pos.para + static_cast<int>(i),
                     static_cast<int>(std::min(endOffset - at, len))};
            endFound = true;
        }
        at += len + (hasCrLf ? 2 : 0);
        const std::string_view terminator =
            hasCrLf ? std::string_view("\r\n") : std::string_view("\0", 1);
        if (wrapping) {
            wrap_.CutParagraph(p, terminator, out);
        } else {
            p.append(terminator);
            out.push_back(std::move(p));
        }
    }
    if (!endFound)
        r.end = {pos.para + static_cast<int>(paras.size()) - 1, 0};

    r.firstLine = span.firstLine;
    r.oldLines = span.lastLine - span.firstLine + 1;
    r.newLines = static_cast<int>(out.size());
    lines_.Splice(span.firstLine, r.oldLines, std::move(out));
    return r;
}

}  // namespace varnel::editor
