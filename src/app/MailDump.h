// `varnel32 --dump FILE`: the lines the viewer would show, as UTF-8 with LF line ends.
#pragma once

#include <iosfwd>
#include <string>

#include "app/Settings.h"
#include "platform/Clock.h"

namespace varnel::app {

// Decodes path as the window's open would (received mail through the header and body
// passes, drafts with their header cleaned up), writes the shown lines to out and
// returns 0; on an unreadable file writes the reason to err and returns 1. The mail is
// not marked read: nothing is written and nothing is sent to the mailer.
int DumpMailFile(const std::string& path, const Settings& settings, const platform::Clock& clock,
                 std::ostream& out, std::ostream& err);

}  // namespace varnel::app
