// Delivery of synthetic key events to the window that was last brought to the front.
#pragma once

#include <cstdint>
#include <vector>

namespace varnel::platform {

// One key going down or up. Key codes are Windows virtual-key codes (0x10 Shift,
// 0x11 Ctrl, 0x12 Alt, 0x0D Enter, 0x28 Down, ...), the codes the mailer's keystroke
// macros are written for.
struct KeyEvent {
    std::uint8_t vk = 0;
    bool down = true;
    bool extended = false;  // navigation keys: arrows, Home, End, Page Up/Down, Ins, Del

    bool operator==(const KeyEvent&) const = default;
};

class KeySink {
  public:
    virtual ~KeySink() = default;
    // Sends the events in order to the foreground window and returns once they were
    // processed; false when they could not be delivered.
    virtual bool SendKeyEvents(const std::vector<KeyEvent>& events) = 0;
};

}  // namespace varnel::platform
