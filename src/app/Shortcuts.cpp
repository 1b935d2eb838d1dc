// Command keys: the keys of each command's menu item (design-time keys, key settings,
// the usual Linux keys), and configured keys the editor receives (Enter = Reply All by
// default) run their command under the rules of the mode.
#include "app/Shortcuts.h"

#include <array>
#include <string_view>
#include <utility>

#include "app/CommandTable.h"
#include "app/SettingsLoader.h"

namespace varnel::app {
namespace {

// Keys given at design time, whatever the settings say.
constexpr std::array<std::pair<std::string_view, int>, 5> kDesignKeys{{
    {"Undo2", kCtrl + 'Z'},
    {"Cut1", kCtrl + 'X'},
    {"Copy1", kCtrl + 'C'},
    {"Paste1", kCtrl + 'V'},
    {"SelectAll1", kCtrl + 'A'},
}};

// Keys a Linux user expects where the setting is 0.
constexpr std::array<std::pair<std::string_view, int>, 6> kUsualKeys{{
    {"Save1", kCtrl + 'S'},
    {"Redo1", kCtrl + 'Y'},
    {"Redo1", kShiftCtrl + 'Z'},
    {"Find1", kCtrl + 'F'},
    {"FindNext1", 0x72},  // F3
    {"Replace1", kCtrl + 'H'},
}};

bool IsFunctionKey(int code) {
    const int key = code & 0xFF;
    return key >= 0x70 && key <= 0x87;
}

}  // namespace

std::vector<int> ShortcutsOf(const CommandSpec& c, const KeySettings& keys, bool plainKeysActive) {
    std::vector<int> codes;
    for (const auto& [name, code] : kDesignKeys) {
        if (name == c.name)
            codes.push_back(code);
    }
    const int stored = c.keySetting.empty() ? 0 : KeyCodeOf(keys, c.keySetting);
    if (stored != 0 && (IsFunctionKey(stored) || stored > kCtrl || plainKeysActive))
        codes.push_back(stored);
    if (stored == 0) {
        for (const auto& [name, code] : kUsualKeys) {
            if (name == c.name && !AnyKeySettingIs(keys, code))
                codes.push_back(code);
        }
    }
    return codes;
}

bool ShortcutApplies(int code, bool plainKeysActive) {
    return code != 0 && (IsFunctionKey(code) || code > kCtrl || plainKeysActive);
}

}  // namespace varnel::app
