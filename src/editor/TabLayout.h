// One display line laid out for drawing: tabs expanded to blanks up to the next tab
// stop, with the expanded offset of every byte and where each tab went.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace varnel::editor {

class TabLayout {
  public:
    // Lays out text (a display line without its terminator). tabCount is the tab stop
    // distance in cells (bytes of the expanded text).
    TabLayout(std::string_view text, int tabCount);

    const std::string& Expanded() const { return expanded_; }
    // Expanded offset of byte k of the text (k may equal the text's length).
    int ColumnOf(std::size_t k) const { return columns_[k]; }

    struct Tab {
        int column;  // expanded offset of the tab's first blank
        int blanks;  // number of blanks it became
    };
    // The first 100 tabs of the line.
    const std::vector<Tab>& Tabs() const { return tabs_; }

    static constexpr std::size_t kMarkedTabs = 100;

  private:
    std::string expanded_;
    std::vector<int> columns_;
    std::vector<Tab> tabs_;
};

}  // namespace varnel::editor
