// What the stand-in mailer's windows do with the keys they receive, as its user's keys
// would: the thread window's list keys, the main window's File menu, the window menu.
#pragma once

#include <vector>

#include "platform/KeySink.h"

namespace pelkmail {

enum class StandInWindow { Main, Thread, Companion };

enum class KeyAction {
    SelectNext,        // thread window: Down
    SelectPrev,        // Up
    SelectFirst,       // Home
    SelectLast,        // End
    OpenSelected,      // Enter in the thread window
    ShowThreadWindow,  // File menu, T
    CloseWindow,       // window menu (Alt+Space), C
    NextFolder,        // File menu, E
    PreviousFolder,    // File menu, P
    Find,              // File menu, F
    Paste,             // Ctrl+V
};

class KeyInterpreter {
  public:
    std::vector<KeyAction> Feed(StandInWindow window,
                                const std::vector<varnel::platform::KeyEvent>& events);

  private:
    enum class Menu { None, File, System };
    void Key(StandInWindow window, unsigned vk, std::vector<KeyAction>& out);

    bool alt_ = false, ctrl_ = false;
    Menu menu_ = Menu::None;
};

}  // namespace pelkmail
