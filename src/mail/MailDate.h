// Reading the date of a Date field or of a Received field's tail as a UTC time.
#pragma once

#include <chrono>
#include <optional>
#include <string_view>

namespace varnel::mail {

using MailTime = std::chrono::sys_seconds;

// "Sat, 05 Dec 2026 12:00:00 +0900" and the like: optional day name, day, English
// month name (exact case), year (two digits: below 80 is 20xx), hh:mm:ss (seconds
// required), then a named zone (UT, UTC, GMT, JST, EST/EDT, CST/CDT, MST/MDT, PST/PDT)
// or a numeric one (+hhmm / -hhmm). nullopt when any part cannot be read.
std::optional<MailTime> ParseMailDate(std::string_view text);

// True when the two times lie more than minutesToCorrect minutes apart; never when
// minutesToCorrect is not positive (the check is off).
bool DatesDisagree(MailTime sent, MailTime received, int minutesToCorrect);

}  // namespace varnel::mail
