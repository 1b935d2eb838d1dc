// The lines a plain text view shows for the line store, and lines as editor text.
#pragma once

#include <string>
#include <vector>

#include "editor/SonStrings.h"

namespace varnel::app {

// Each line without its terminator; an empty end-of-text line (the file ended with a
// line end) is left out. Soft-wrapped pieces are joined back into their paragraph.
std::vector<std::string> ShownLines(const editor::TSonStrings& store);

// The editor text of lines: each line ends in CR LF, the last one only when finalLineEnd
// is set (a file that ended without a line end keeps ending without one).
std::string EditorText(const std::vector<std::string>& lines, bool finalLineEnd = true);

}  // namespace varnel::app
