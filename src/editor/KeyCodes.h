// Key codes the editor handles: the stored Windows virtual-key codes and the modifier
// set that comes with them.
#pragma once

#include <cstdint>

namespace varnel::editor {

namespace vk {
inline constexpr std::uint16_t kBack = 0x08;
inline constexpr std::uint16_t kTab = 0x09;
inline constexpr std::uint16_t kReturn = 0x0D;
inline constexpr std::uint16_t kEscape = 0x1B;
inline constexpr std::uint16_t kPrior = 0x21;  // Page Up
inline constexpr std::uint16_t kNext = 0x22;   // Page Down
inline constexpr std::uint16_t kEnd = 0x23;
inline constexpr std::uint16_t kHome = 0x24;
inline constexpr std::uint16_t kLeft = 0x25;
inline constexpr std::uint16_t kUp = 0x26;
inline constexpr std::uint16_t kRight = 0x27;
inline constexpr std::uint16_t kDown = 0x28;
inline constexpr std::uint16_t kInsert = 0x2D;
inline constexpr std::uint16_t kDelete = 0x2E;
inline constexpr std::uint16_t kOemComma = 0xBC;
inline constexpr std::uint16_t kOemPeriod = 0xBE;
}  // namespace vk

// Modifier set, as in the modifier byte stored with key bindings.
enum KeyShift : std::uint8_t {
    kShiftNone = 0,
    kShiftKey = 1,
    kCtrlKey = 2,
    kAltKey = 4,
};

}  // namespace varnel::editor
