// Checks of the line encoding shared by the editor tests.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/LineString.h"
#include "editor/SonStrings.h"

namespace varnel::editor {

inline std::vector<std::string> LinesOf(const TSonStrings& s) {
    std::vector<std::string> out;
    for (int i = 0; i < s.Count(); ++i)
        out.push_back(s[i]);
    return out;
}

// Only the last line ends with NUL, a line ending in LF ends in CR LF, and no CR LF
// stands inside a line. Returns a description of the first fault, or "".
inline std::string StoreFault(const TSonStrings& s, bool wrapping) {
    if (s.Count() == 0)
        return "no lines";
    for (int i = 0; i < s.Count(); ++i) {
        const std::string& l = s[i];
        const bool last = i == s.Count() - 1;
        const std::string at = " at line " + std::to_string(i);
        if (HasEofMark(l) != last)
            return "end-of-text mark" + at;
        if (!l.empty() && l.back() == '\n' && !HasCrLfEnd(l))
            return "bare LF end" + at;
        if (StripLineEnd(l).find("\r\n") != std::string_view::npos)
            return "CR LF inside" + at;
        if (!wrapping && !HasHardEnd(l))
            return "soft line while not wrapping" + at;
        if (wrapping && !HasHardEnd(l) && l.empty())
            return "empty soft line" + at;
    }
    return "";
}

}  // namespace varnel::editor
