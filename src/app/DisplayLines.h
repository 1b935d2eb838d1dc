// The lines a plain text view shows for the line store.
#pragma once

#include <string>
#include <vector>

#include "editor/SonStrings.h"

namespace varnel::app {

// Each line without its terminator; an empty end-of-text line (the file ended with a
// line end) is left out. Soft-wrapped pieces are joined back into their paragraph.
std::vector<std::string> ShownLines(const editor::TSonStrings& store);

}  // namespace varnel::app
