// Command keys: the keys of each command's menu item (design-time keys, key settings,
// the usual Linux keys), and configured keys the editor receives (Enter = Reply All by
// default) run their command under the rules of the mode.
#include "app/Shortcuts.h"

#include <array>
#include <string_view>
#include <utility>

#include "app/CommandTable.h"
#include "app/SettingsLoader.h"
#include "app/TForm1.h"

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
constexpr std::array<std::pair<std::string_view, int>, 3> kUsualKeys{{
    {"Save1", kCtrl + 'S'},
    {"Redo1", kCtrl + 'Y'},
    {"Redo1", kShiftCtrl + 'Z'},
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
    if (stored == 0 && !c.keySetting.empty()) {
        for (const auto& [name, code] : kUsualKeys) {
            if (name == c.name && !AnyKeySettingIs(keys, code))
                codes.push_back(code);
        }
    }
    return codes;
}

bool TForm1::RunShortcut(std::uint16_t key, std::uint8_t shift) {
    const int code = key | (shift & 0x07) << 8;
    const CommandSpec* c = CommandForKey(settings_.key, code, sonEdit1_.ReadOnly);
    if (!c)
        return false;
    (this->*(c->handler))();
    return true;
}

}  // namespace varnel::app
