// The main window's editor variant.
#include "editor/SonEdit2.h"

namespace varnel::editor {

bool TSonEdit2::KeyDown(std::uint16_t key, std::uint8_t shift) {
    if (ReadOnly && shift == kShiftNone && (key == vk::kBack || key == vk::kDelete)) {
        if (key == vk::kBack && OnBackSpaceKey)
            OnBackSpaceKey();
        if (key == vk::kDelete && OnDeleteKey)
            OnDeleteKey();
        return true;
    }
    return TSonEdit::KeyDown(key, shift);
}

void TSonEdit2::KeyPress(unsigned char ch, std::uint8_t shift) {
    if (!ReadOnly)
        TSonEdit::KeyPress(ch, shift);
}

void TSonEdit2::PasteFromClipboard() {
    if (!ReadOnly)
        TSonEdit::PasteFromClipboard();
}

void TSonEdit2::MouseUp(int px, int py) {
    if (OnMouseUp2)
        OnMouseUp2();
    TSonEdit::MouseUp(px, py);
}

}  // namespace varnel::editor
