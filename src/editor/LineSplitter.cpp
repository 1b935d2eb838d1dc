// Cutting byte text into display lines.
#include "editor/LineSplitter.h"

#include <cstring>

namespace varnel::editor {

LineEndKind LineSplitterDetect(std::string_view bytes) {
    if (bytes.empty())
        return LineEndKind::Empty;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n')
            return LineEndKind::Lf;
        if (bytes[i] == '\r')
            return (i + 1 < bytes.size() && bytes[i + 1] == '\n') ? LineEndKind::CrLf
                                                                  : LineEndKind::Cr;
    }
    return LineEndKind::None;
}

std::vector<std::string> LineSplitterSplitCrLf(std::string_view text) {
    std::vector<std::string> out;
    // CR and LF are never trail bytes, so a raw byte search cannot split a character.
    std::size_t start = 0;
    for (std::size_t p = text.find('\n'); p != std::string_view::npos; p = text.find('\n', p + 1)) {
        if (p > start && text[p - 1] == '\r') {
            out.emplace_back(text.substr(start, p + 1 - start));
            start = p + 1;
        }
    }
    out.emplace_back(text.substr(start));
    return out;
}

namespace {

// Cuts at every CR LF and at every lone `sep`, storing each line end as CR LF.
std::vector<std::string> SplitWithLoneSeparator(std::string_view bytes, char sep) {
    std::vector<std::string> out;
    out.reserve(bytes.size() / 28 + 1);
    std::string pending;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const char c = bytes[i];
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            out.emplace_back(bytes.substr(start, i + 2 - start));
            i += 2;
            start = i;
        } else if (c == sep) {
            std::string line(bytes.substr(start, i - start));
            line += "\r\n";
            out.push_back(std::move(line));
            ++i;
            start = i;
        } else {
            ++i;
        }
    }
    out.emplace_back(bytes.substr(start));
    return out;
}

}  // namespace

std::vector<std::string> LineSplitterFileLines(std::string_view bytes) {
    std::vector<std::string> lines;
    switch (LineSplitterDetect(bytes)) {
        case LineEndKind::Empty:
        case LineEndKind::None:
        case LineEndKind::CrLf:
            lines = LineSplitterSplitCrLf(bytes);
            break;
        case LineEndKind::Lf:
            lines = SplitWithLoneSeparator(bytes, '\n');
            break;
        case LineEndKind::Cr:
            lines = SplitWithLoneSeparator(bytes, '\r');
            break;
    }
    // The remainder after the last line end carries the end-of-text mark.
    lines.back().push_back('\0');
    return lines;
}

}  // namespace varnel::editor
