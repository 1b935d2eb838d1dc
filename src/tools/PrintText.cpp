// Printed lines and the Print command.
#include "tools/PrintText.h"

#include <algorithm>

#include "editor/LineString.h"
#include "editor/ParagraphMap.h"
#include "text/Sjis.h"

namespace varnel::tools {
namespace {

constexpr const char* kUnderline = "_________________________";

}  // namespace

std::vector<std::string> PrintedLines(const editor::TSonStrings& lines,
                                      std::optional<PrintRange> range, int leftSpace,
                                      const std::string& header) {
    const std::string indent(static_cast<std::size_t>(std::max(0, leftSpace)), ' ');
    std::vector<std::string> out;
    if (!header.empty()) {
        out.push_back(indent + header);
        out.push_back(indent + kUnderline);
    }
    auto content = [&lines](int i) { return editor::ParagraphMap::Content(lines[i]); };
    if (range) {
        const int last = std::min(range->last, lines.Count() - 1);
        for (int i = std::max(0, range->first); i <= last; ++i)
            out.push_back(indent + std::string(content(i)));
        return out;
    }
    // The end-of-text line holds the text after the last line end: it is printed too.
    int heldEmpty = 0;
    for (int i = 0; i < lines.Count(); ++i) {
        const std::string_view text = content(i);
        if (text.empty()) {
            ++heldEmpty;
            continue;
        }
        for (; heldEmpty > 0; --heldEmpty)
            out.push_back(indent);
        out.push_back(indent + std::string(text));
    }
    return out;
}

std::string JobTitle(const editor::TSonStrings& lines, const std::string& fallback) {
    std::string paragraph;
    for (int i = 0; i < lines.Count(); ++i) {
        const std::string& line = lines[i];
        paragraph += editor::ParagraphMap::Content(line);
        if (editor::HasCrLfEnd(line) || i + 1 == lines.Count()) {
            if (paragraph.empty() || paragraph.starts_with("----"))
                break;
            if (text::StartsWithNoCase(paragraph, "subject:")) {
                const std::string_view value =
                    text::TrimBlanks(std::string_view(paragraph).substr(8));
                if (!value.empty())
                    return std::string(value);
            }
            paragraph.clear();
        }
    }
    return fallback;
}

platform::PrintFont PrinterFontFor(const PrintOptions& options, const std::string& editorFontName) {
    platform::PrintFont font{options.fontName, options.fontSize};
    if (!options.europeanFontName.empty() && editorFontName == options.europeanFontName)
        font.name = options.europeanFontName;
    return font;
}

void PrintCommand(editor::TSonEdit& edit, const std::string& editorFontName,
                  const PrintOptions& options, platform::Printer& printer,
                  platform::Prompter& prompter) {
    std::optional<PrintRange> range;
    if (edit.HasSelection()) {
        int x1 = 0, y1 = 0, y2 = 0, x2 = 0;
        edit.GetSelRange(x1, y1, y2, x2);
        range = PrintRange{y1, y2};
    }
    const std::vector<std::string> lines =
        PrintedLines(edit.Lines(), range, options.leftSpace, options.header);
    std::string error;
    if (printer.PrintLines(PrinterFontFor(options, editorFontName),
                           JobTitle(edit.Lines(), options.fileName), lines,
                           error) == platform::PrintResult::Failed)
        prompter.Tell(error.empty() ? "Printing failed." : error, platform::Severity::Error);
}

}  // namespace varnel::tools
