// `varnel32 --dump FILE`: the lines the viewer would show, as UTF-8 with LF line ends.
#pragma once

#include <iosfwd>
#include <string>

#include "app/Settings.h"

namespace varnel::app {

// Writes the shown lines of path to out and returns 0; on an unreadable file writes the
// reason to err and returns 1. Never writes a file and never sends anything, so the mail
// keeps its status and the mailer hears nothing.
int DumpMailFile(const std::string& path, const Settings& settings, std::ostream& out,
                 std::ostream& err);

}  // namespace varnel::app
