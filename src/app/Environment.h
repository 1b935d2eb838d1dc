// Environment variables as the settings code sees them, passed in so tests can fake them.
#pragma once

#include <functional>
#include <string>

namespace varnel::app {

// Returns the value of a variable; an unset variable reads as "" (and so does a set but
// empty one: both count as unset).
using EnvLookup = std::function<std::string(const std::string& name)>;

// The process environment. HOME, when unset, falls back to the user's home directory
// from the password database.
EnvLookup ProcessEnvironment();

// The user's desktop directory: $XDG_DESKTOP_DIR, else XDG_DESKTOP_DIR in
// $XDG_CONFIG_HOME/user-dirs.dirs (~/.config when unset), else $HOME/Desktop. Empty
// when HOME is unknown. It need not exist.
std::string DesktopDirectory(const EnvLookup& env);

}  // namespace varnel::app
