// Line splitting and CR LF joining shared by the mail tests.
#pragma once

#include <string>
#include <vector>

#include "TempDir.h"

namespace varnel::mail::test {

using varnel::testing::ReadAll;

// Lines ending in LF or CR LF; a last line without an end counts too.
inline std::vector<std::string> SplitLines(const std::string& all) {
    std::vector<std::string> lines;
    for (std::size_t pos = 0; pos < all.size();) {
        std::size_t nl = all.find('\n', pos);
        if (nl == std::string::npos)
            nl = all.size();
        std::string line = all.substr(pos, nl - pos);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        pos = nl + 1;
    }
    return lines;
}

inline std::string Crlf(const std::vector<std::string>& lines) {
    std::string s;
    for (const auto& l : lines)
        s += l + "\r\n";
    return s;
}

}  // namespace varnel::mail::test
