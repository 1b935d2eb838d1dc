// Key events to window actions.
#include "KeyInterpreter.h"

namespace pelkmail {

std::vector<KeyAction> KeyInterpreter::Feed(StandInWindow window,
                                            const std::vector<varnel::platform::KeyEvent>& events) {
    std::vector<KeyAction> out;
    for (const auto& e : events) {
        switch (e.vk) {
            case 0x12:
                alt_ = e.down;
                continue;
            case 0x11:
                ctrl_ = e.down;
                continue;
            case 0x10:
                continue;  // Shift does not change what a menu letter picks
            default:
                break;
        }
        if (e.down)
            Key(window, e.vk, out);
    }
    return out;
}

void KeyInterpreter::Key(StandInWindow window, unsigned vk, std::vector<KeyAction>& out) {
    if (vk == 0x1B) {  // Escape closes an open menu
        menu_ = Menu::None;
        return;
    }
    if (alt_ && vk == 'F' && window == StandInWindow::Main) {
        menu_ = Menu::File;
        return;
    }
    if (alt_ && vk == 0x20) {
        menu_ = Menu::System;
        return;
    }
    if (ctrl_ && vk == 'V') {
        out.push_back(KeyAction::Paste);
        return;
    }
    if (menu_ == Menu::File) {
        menu_ = Menu::None;
        switch (vk) {
            case 'T':
                out.push_back(KeyAction::ShowThreadWindow);
                return;
            case 'E':
                out.push_back(KeyAction::NextFolder);
                return;
            case 'P':
                out.push_back(KeyAction::PreviousFolder);
                return;
            case 'F':
                out.push_back(KeyAction::Find);
                return;
            default:
                return;
        }
    }
    if (menu_ == Menu::System) {
        menu_ = Menu::None;
        if (vk == 'C')
            out.push_back(KeyAction::CloseWindow);
        return;
    }
    if (window != StandInWindow::Thread)
        return;  // the main window's list is not driven by keys here
    switch (vk) {
        case 0x28:
            out.push_back(KeyAction::SelectNext);
            break;
        case 0x26:
            out.push_back(KeyAction::SelectPrev);
            break;
        case 0x24:
            out.push_back(KeyAction::SelectFirst);
            break;
        case 0x23:
            out.push_back(KeyAction::SelectLast);
            break;
        case 0x0D:
            out.push_back(KeyAction::OpenSelected);
            break;
        default:
            break;
    }
}

}  // namespace pelkmail
