// Command keys: design-time keys, key settings, the plain-key rule and the usual Linux
// keys where the setting is 0.
#include <gtest/gtest.h>

#include "app/CommandTable.h"
#include "app/Shortcuts.h"

namespace varnel::app {
namespace {

TEST(ShortcutsTest, KeysOfACommand) {
    constexpr int kF5 = 0x74, kShiftF5 = 0x174, kCtrlS = kCtrl + 'S', kAltS = 0x453;
    struct Case {
        const char* command;
        KeySettings keys;
        bool plainKeys;
        std::vector<int> expected;
    } cases[] = {
        {"Cut1", {}, true, {kCtrl + 'X'}},
        {"Save1", {}, false, {kCtrlS}},
        {"Save1", {.Save = kAltS}, false, {kAltS}},
        {"Save1", {.Reformat = kCtrlS}, false, {}},  // another setting takes Ctrl+S
        {"Save1", {.Save = 'S'}, false, {}},         // a plain key is for viewer mode only
        {"Save1", {.Save = 'S'}, true, {'S'}},
        {"Save1", {.Save = kF5}, false, {kF5}},  // function keys act in both modes
        {"Save1", {.Save = kShiftF5}, false, {kShiftF5}},
        {"Redo1", {}, false, {kCtrl + 'Y', kShiftCtrl + 'Z'}},
        {"Redo1", {.SpellCheck = kCtrl + 'Y'}, false, {kShiftCtrl + 'Z'}},
        {"Exit1", {}, false, {}},
    };
    for (const Case& c : cases) {
        const CommandSpec* row = FindCommand(c.command);
        ASSERT_NE(row, nullptr) << c.command;
        EXPECT_EQ(ShortcutsOf(*row, c.keys, c.plainKeys), c.expected) << c.command;
    }
}

}  // namespace
}  // namespace varnel::app
