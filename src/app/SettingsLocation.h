// Where the program's settings file and its side files (recipient.csv, vnleurop.txt,
// vnlkanji.txt, the help page) are.
#pragma once

#include <string>

#include "app/Environment.h"

namespace varnel::app {

struct SettingsLocation {
    std::string file;         // the settings file (it need not exist yet)
    std::string sideFileDir;  // the directory holding it, without a trailing "/"
};

// The first of: $VARNEL_INI; varnel32.ini in exeDir when that file exists (a portable
// install); $XDG_CONFIG_HOME/varnel32/varnel32.ini, where XDG_CONFIG_HOME defaults to
// $HOME/.config (and is ignored when it is not an absolute path).
SettingsLocation LocateSettingsFile(const EnvLookup& env, const std::string& exeDir);

// Directory of the running executable ("" when it cannot be found).
std::string RunningExecutableDir();

}  // namespace varnel::app
