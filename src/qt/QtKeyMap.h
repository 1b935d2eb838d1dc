// The one table from Qt keys to the stored Windows virtual-key codes, and the
// modifier byte that goes with them (Shift 1, Ctrl 2, Alt 4).
#pragma once

#include <Qt>
#include <cstdint>

namespace varnel::qt {

// The virtual-key code of a Qt key; 0 when the key has none.
std::uint16_t VirtualKeyOf(int qtKey);

std::uint8_t ShiftByteOf(Qt::KeyboardModifiers modifiers);

// A stored key code (virtual key in the low byte, modifiers 1 Shift, 2 Ctrl, 4 Alt in
// the high byte) as a Qt key combination; 0 when the key has no Qt key.
int QtKeyCombinationOf(int keyCode);

}  // namespace varnel::qt
