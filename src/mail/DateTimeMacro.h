// The "#DATETIME" macro of disposition-notification drafts and the date-time format
// it is expanded with.
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Clock.h"

namespace varnel::mail {

// Names and separators of the user's locale (CP932 bytes).
struct DateTimeLocale {
    std::array<std::string, 7> shortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::array<std::string, 7> longDayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                            "Thursday", "Friday", "Saturday"};
    std::array<std::string, 12> shortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::array<std::string, 12> longMonthNames{"January",   "February", "March",    "April",
                                               "May",       "June",     "July",     "August",
                                               "September", "October",  "November", "December"};
    std::string dateSeparator = "/";
    std::string timeSeparator = ":";
    std::string shortDateFormat = "yyyy/mm/dd";
    std::string longDateFormat = "dddd, mmmm d, yyyy";
    std::string shortTimeFormat = "hh:nn";
    std::string longTimeFormat = "hh:nn:ss";
};

// Japanese day names (日, 月, ... and 日曜日, ...) with the same separators.
DateTimeLocale JapaneseDateTimeLocale();

// A local wall-clock time.
struct LocalDateTime {
    std::chrono::year_month_day date;
    std::chrono::weekday weekday;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};
LocalDateTime LocalNow(const platform::Clock& clock);

// Format tokens (any case): d dd ddd dddd ddddd dddddd, m mm mmm mmmm (minutes right
// after h or hh), yy yyyy, h hh, n nn, s ss, z zzz, t tt, c, am/pm a/p ampm, "/" and ":"
// (the locale's separators), and quoted literal text. Double-byte characters are copied.
std::string FormatDateTime(std::string_view format, const LocalDateTime& t,
                           const DateTimeLocale& locale);

// Where the first "#DATETIME" stands and what replaces it, for the editor to apply as
// one undoable edit.
struct MacroEdit {
    std::size_t line = 0;
    std::size_t pos = 0;     // byte offset in the line
    std::size_t length = 0;  // bytes replaced
    std::string text;
};
// "#DATETIME#fmt#" uses fmt; "#DATETIME#" without a closing "#" uses "c" and keeps the
// "#"; plain "#DATETIME" uses "yyyy/mm/dd (ddd) hh:nn".
std::optional<MacroEdit> FindDateTimeMacro(const std::vector<std::string>& lines,
                                           const platform::Clock& clock,
                                           const DateTimeLocale& locale);

// Applies FindDateTimeMacro's edit to lines; false when there is no macro.
bool ExpandDateTimeMacro(std::vector<std::string>& lines, const platform::Clock& clock,
                         const DateTimeLocale& locale);

}  // namespace varnel::mail
