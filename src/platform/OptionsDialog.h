// The options dialog: shows the settings a user may change, grouped, and lets them be
// edited. Values are the settings file's own strings (CP932 bytes); the dialog converts
// them for display and leaves a value it did not change byte for byte as it was.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace varnel::platform {

enum class OptionKind { Bool, Integer, Colour, Text, KeyCode };

struct OptionField {
    std::string_view group;  // "View", "Editor", "Mail", "Keys", "Locations"
    std::string_view section;
    std::string_view key;
    OptionKind kind = OptionKind::Text;
    std::string value;
};

class OptionsDialog {
  public:
    virtual ~OptionsDialog() = default;
    // Shows the fields for editing; true when the user accepted (fields then hold the
    // edited values), false when cancelled (fields untouched).
    virtual bool Edit(std::vector<OptionField>& fields, bool english) = 0;
};

}  // namespace varnel::platform
