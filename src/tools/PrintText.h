// What the Print command puts on paper: the editor's lines, shifted right by a fixed
// indent, under an optional title line with its underline.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "editor/SonEdit.h"
#include "editor/SonStrings.h"
#include "platform/Printer.h"
#include "platform/Prompter.h"

namespace varnel::tools {

struct PrintOptions {
    std::string fontName;  // "FontName" of section "Printer"
    int fontSize = 10;
    int leftSpace = 10;            // blanks before every line
    std::string header;            // title line; none when empty
    std::string europeanFontName;  // mail shown in this font prints in it
    std::string fileName;          // the job's title when the text has no Subject
};

// Lines first..last of the selection; without one, the whole text.
struct PrintRange {
    int first = 0;
    int last = 0;
};

// The printed lines. Without a range every line is printed, the last one included;
// empty lines are held back until a line with text follows, so the text's trailing
// empty lines are not printed.
std::vector<std::string> PrintedLines(const editor::TSonStrings& lines,
                                      std::optional<PrintRange> range, int leftSpace,
                                      const std::string& header);

// The printer font: the European font when the editor shows the mail in it.
platform::PrintFont PrinterFontFor(const PrintOptions& options, const std::string& editorFontName);

// The print job's title: the Subject of the text's header (its paragraphs up to the
// first empty one or the draft's "----" separator), else fallback.
std::string JobTitle(const editor::TSonStrings& lines, const std::string& fallback);

// Print1Click: prints the selected lines, or the whole text, through printer; a failure
// is reported.
void PrintCommand(editor::TSonEdit& edit, const std::string& editorFontName,
                  const PrintOptions& options, platform::Printer& printer,
                  platform::Prompter& prompter);

}  // namespace varnel::tools
