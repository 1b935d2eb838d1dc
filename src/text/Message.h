// A user message in its two wordings. The setting EnglishMenu picks one everywhere.
// Both are UTF-8 (prompts, titles and menus are converted at the edge, not stored).
#pragma once

#include <string>
#include <string_view>

namespace varnel::text {

struct Message {
    std::string_view english;
    std::string_view japanese;

    std::string Pick(bool englishMenu) const {
        return std::string(englishMenu ? english : japanese);
    }
    // Pick, with every "%s" replaced by arg.
    std::string Format(bool englishMenu, std::string_view arg) const {
        std::string s = Pick(englishMenu);
        for (std::size_t p = s.find("%s"); p != std::string::npos;
             p = s.find("%s", p + arg.size())) {
            s.replace(p, 2, arg);
        }
        return s;
    }
};

}  // namespace varnel::text
