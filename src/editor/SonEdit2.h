// The editor as the main window uses it: read-only Backspace and Delete report
// themselves instead of editing, and a left-button release is reported first.
#pragma once

#include <cstdint>
#include <functional>

#include "editor/SonEdit.h"

namespace varnel::editor {

// The main window's variant: with ReadOnly on, Backspace and Delete only report
// themselves, and characters and paste are ignored.
class TSonEdit2 : public TSonEdit {
  public:
    using TSonEdit::TSonEdit;
    std::function<void()> OnBackSpaceKey;
    std::function<void()> OnDeleteKey;
    std::function<void()> OnMouseUp2;

    bool KeyDown(std::uint16_t key, std::uint8_t shift) override;
    void KeyPress(unsigned char ch, std::uint8_t shift = kShiftNone) override;
    void PasteFromClipboard() override;
    void MouseUp(int px, int py) override;
};

}  // namespace varnel::editor
