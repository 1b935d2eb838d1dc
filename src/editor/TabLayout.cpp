// Tab expansion of one display line for drawing.
#include "editor/TabLayout.h"

#include <algorithm>

namespace varnel::editor {

TabLayout::TabLayout(std::string_view text, int tabCount) {
    tabCount = std::clamp(tabCount, 1, 8);
    expanded_.reserve(text.size() + 16);
    columns_.reserve(text.size() + 1);
    for (char c : text) {
        columns_.push_back(static_cast<int>(expanded_.size()));
        if (c != '\t') {
            expanded_.push_back(c);
            continue;
        }
        const int at = static_cast<int>(expanded_.size());
        const int blanks = tabCount - at % tabCount;
        if (tabs_.size() < kMarkedTabs)
            tabs_.push_back({at, blanks});
        expanded_.append(static_cast<std::size_t>(blanks), ' ');
    }
    columns_.push_back(static_cast<int>(expanded_.size()));
}

}  // namespace varnel::editor
