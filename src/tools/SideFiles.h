// The side files of the character commands (vnlkanji.txt, vnleurop.txt): the user's copy
// in the config directory wins over the copies installed with the program's data.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace varnel::tools {

// Where side files are looked for, in order: configDir (beside the settings file), then
// exeDir/../share/varnel32 (the install tree and the build tree), then varnel32/ under
// each directory of xdgDataDirs ("/usr/local/share:/usr/share" when empty).
std::vector<std::string> SideFileDirs(const std::string& configDir, const std::string& exeDir,
                                      std::string_view xdgDataDirs);

// Path of the first existing file name in dirs; empty when none has it.
std::string FindSideFile(std::string_view name, const std::vector<std::string>& dirs);

// Reads a text file as lines (LF or CR LF ends, bytes kept); false with error set when
// it cannot be read.
bool ReadTextLines(const std::string& path, std::vector<std::string>& lines, std::string& error);

}  // namespace varnel::tools
