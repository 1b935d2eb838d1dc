// What an attachment summary line names: the file it is saved as inside the decode
// directory, the size it shows, and whether the saved file is handed to the desktop.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace varnel::app {

// The file name an attachment named name (CP932) is saved under, as UTF-8: its base name
// only (after the last "/" or "\"), control characters dropped, a leading "." or "-"
// written "_" (no hidden file, nothing a program could take for an option); "attachment"
// when nothing is left, or for "." and "..".
std::string AttachmentFileName(std::string_view name);

// The size a summary line shows: the digits between "Attached File:" and " bytes",
// commas left out. The field is right-aligned in 11 columns from column 23 (1-based); a
// wider number pushes the name to the right.
std::optional<std::uint64_t> SummaryLineSize(std::string_view line);

// The desktop opens only a file with an extension: a "." among the last five characters
// of path, after its last "/".
bool HasOpenableExtension(std::string_view path);

}  // namespace varnel::app
