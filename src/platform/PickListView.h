// The pick list beside the editor: shows entries to insert and reports clicks.
#pragma once

#include <string>
#include <vector>

namespace varnel::platform {

struct PickListFont {
    std::string name;      // CP932
    int size = 10;         // points
    bool western = false;  // entries are single-byte Western text, not CP932
};

class PickListView {
  public:
    virtual ~PickListView() = default;
    // Replaces the entries and shows the list. The view reports a click on entry i
    // (with the Shift and Ctrl state) to whoever it was built for.
    virtual void ShowEntries(const std::vector<std::string>& entries, const PickListFont& font) = 0;
    virtual void Hide() = 0;
    virtual bool Visible() const = 0;
};

}  // namespace varnel::platform
