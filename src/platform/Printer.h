// The print channel: a printer font dialog and a job of plain text lines.
#pragma once

#include <string>
#include <vector>

namespace varnel::platform {

struct PrintFont {
    std::string name;  // CP932, as stored in the settings
    int size = 10;     // points
};

enum class PrintResult { Printed, Cancelled, Failed };

class Printer {
  public:
    virtual ~Printer() = default;
    // Shows the font dialog preset with font; true (and font changed) when confirmed.
    virtual bool ChooseFont(PrintFont& font) = 0;
    // Prints lines (CP932, one printed line each) in font as a job named title (CP932;
    // the program's name when empty); the platform chooses the printer or a file and
    // breaks the pages. On Failed, error says why.
    virtual PrintResult PrintLines(const PrintFont& font, const std::string& title,
                                   const std::vector<std::string>& lines, std::string& error) = 0;
};

}  // namespace varnel::platform
