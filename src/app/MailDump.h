// `varnel32 --dump FILE`: the lines the viewer would show, as UTF-8 with LF line ends.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

#include "app/Settings.h"
#include "platform/Clock.h"

namespace varnel::app {

// C0 control bytes other than TAB, and DEL, in caret notation as `cat -v` shows them:
// ESC as "^[", BEL as "^G", CR as "^M", NUL as "^@", DEL as "^?". UTF-8 sequences never
// hold such bytes, so they pass unchanged.
std::string EscapeControlBytes(std::string_view utf8);

// Decodes path as the window's open would (received mail through the header and body
// passes, drafts with their header cleaned up), writes the shown lines to out and
// returns 0; on an unreadable file writes the reason to err and returns 1. The mail is
// not marked read: nothing is written and nothing is sent to the mailer. Lines are
// printed through EscapeControlBytes.
int DumpMailFile(const std::string& path, const Settings& settings, const platform::Clock& clock,
                 std::ostream& out, std::ostream& err);

}  // namespace varnel::app
