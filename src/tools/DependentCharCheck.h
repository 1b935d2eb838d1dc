// The check for characters that cannot be sent: before a mail goes out (and after a
// full-width/half-width conversion) vendor characters that have a JIS X 0208
// equivalent are rewritten, half-width katakana become full-width, the rest is
// reported, and a user-defined character stops the sending.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace varnel::tools {

enum class DependentChar {
    WindowsOnly,   // NEC special row (lead byte 0x87) left after rewriting
    OutsideX0208,  // NEC-selected IBM rows and beyond (lead byte 0xED and up)
    Unsendable,    // user-defined characters (lead byte 0xF0 and up): the check stops
};

// The message shown for a character of that kind (UTF-8; they exist in Japanese only).
std::string_view DependentCharMessage(DependentChar kind);

struct DependentCharEvents {
    // A line's text changed; called once per changed line with its whole new text,
    // before any notice on that line (then again when the line is finished).
    std::function<void(std::size_t line, const std::string& text)> lineChanged;
    // The character at byte pos of line (in the text last given to lineChanged, or the
    // original text) is to be shown to the user with the kind's message. Alarms come
    // only when alarm is on; Unsendable always comes, and ends the check.
    std::function<void(std::size_t line, std::size_t pos, DependentChar kind)> notice;
};

// Rewrites one line: IBM extension characters to their NEC-selected or NEC codes, the
// NEC special characters with a JIS X 0208 twin to that twin, half-width katakana
// (with voiced marks) to full-width. Unsendable characters stay.
std::string RewriteDependentChars(std::string_view line);

// Runs over lines (paragraphs, without line ends), rewriting them in place. Returns
// true when it stopped at a character that cannot be sent; lines before it keep their
// rewrites. alarm is the X0208_Alarm setting.
bool CheckDependentChars(std::vector<std::string>& lines, bool alarm,
                         const DependentCharEvents& events = {});

// The settings file is never examined (its name contains ".ini").
bool WantsDependentCharCheck(std::string_view currentFile);

}  // namespace varnel::tools
