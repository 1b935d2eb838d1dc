// Command keys: design-time keys, key settings, the plain-key rule and the usual Linux
// keys where the setting is 0.
#include <gtest/gtest.h>

#include "app/CommandTable.h"
#include "app/Paging.h"
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
        {"Find1", {}, false, {kCtrl + 'F'}},
        {"Find1", {.Save = kCtrl + 'F'}, false, {}},
        {"FindNext1", {}, false, {0x72}},
        {"FindNext1", {.FindNext = kF5}, false, {kF5}},
    };
    for (const Case& c : cases) {
        const CommandSpec* row = FindCommand(c.command);
        ASSERT_NE(row, nullptr) << c.command;
        EXPECT_EQ(ShortcutsOf(*row, c.keys, c.plainKeys), c.expected) << c.command;
    }
}

TEST(ShortcutsTest, PageStepFollowsScrollPercent) {
    const struct {
        int visible, percent, step;
    } cases[] = {
        {20, 50, 10}, {20, 100, 20}, {20, 1, 0},
        {21, 50, 10}, {20, 0, 0},    {20, -3, 3},
        {0, 100, 0},  {20, 200, 40}, {5, -2000000000, 1000000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PageStep(c.visible, c.percent), c.step) << c.visible << " " << c.percent;
}

TEST(ShortcutsTest, KeyCodeOfAnEvent) {
    const struct {
        std::uint16_t key;
        std::uint8_t shift;
        int code;
    } cases[] = {
        {0x20, 0, 0x20}, {0x20, 1, 0x120}, {0x70, 2, 0x270}, {0x41, 7, 0x741}, {0x41, 8, 0x41}};
    for (const auto& c : cases)
        EXPECT_EQ(KeyCodeOfEvent(c.key, c.shift), c.code) << c.key << " " << int(c.shift);
}

}  // namespace
}  // namespace varnel::app
