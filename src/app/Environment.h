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

}  // namespace varnel::app
