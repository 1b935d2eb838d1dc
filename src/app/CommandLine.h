// The program's command line: an optional "/e", "/v" or "/w" switch and a file name
// that may be spread over several parameters, plus --dump, --help and --version.
#pragma once

#include <string>
#include <vector>

namespace varnel::app {

enum class ProgramAction {
    Window,   // open the main window (on fileName, or untitled)
    Dump,     // print what the viewer would show for fileName, then exit
    Help,     // print the usage, then exit
    Version,  // print the version, then exit
    Error,    // bad command line; error says why
};

struct CommandLine {
    ProgramAction action = ProgramAction::Window;
    // False only when "/e" was given (the window then starts as a viewer).
    bool EditSwitchGiven = true;
    // The "/e" switch was given: the window takes the editing icon.
    bool editIcon = false;
    // Real case, surrounding quotes removed; empty when no file was named.
    std::string fileName;
    std::string error;
};

// Parses the parameters after the program name. A switch counts only when the first
// parameter is exactly one of /e /v /w -e -v -w (any letter case): Linux paths such as
// /etc/x or /var/w are file names. The file name is the parameter at the start index
// and every later one, joined by single blanks, so that a path with blanks passed
// without quotes is rebuilt; one pair of surrounding double quotes is removed.
CommandLine ParseCommandLine(const std::vector<std::string>& params);

// params without the options the window toolkit takes for itself wherever they stand
// ("-platform offscreen", "-style=fusion", "-reverse", ...), so that the rest can be
// checked before the toolkit starts (it needs a display).
std::vector<std::string> WithoutToolkitOptions(const std::vector<std::string>& params);

// The usage text printed by --help (and after a command-line error).
std::string UsageText();

}  // namespace varnel::app
