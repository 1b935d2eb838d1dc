// The editor's keys as the window takes them: the four paging keys, the keys of the
// command table, and the paging itself.
#include <algorithm>

#include "app/CommandTable.h"
#include "app/Paging.h"
#include "app/Shortcuts.h"
#include "app/TForm1.h"

namespace varnel::app {

// The modifier code of a shift state: only the seven combinations of Shift, Ctrl and
// Alt count; any other state gives none.
int KeyCodeOfEvent(std::uint16_t key, std::uint8_t shift) {
    return key + 0x100 * (shift <= 7 ? shift : 0);
}

bool TForm1::PlainKeysActive() const {
    return sonEdit1_.ReadOnly && !findDialogOpen_ && !replaceDialogOpen_;
}

// The paging keys, in this order: PageDown, PageUp, PageDownNext, PageUpPrev. Plain and
// Shift keys act only in viewer mode; function keys and keys with Ctrl or more always.
bool TForm1::HandleKey(std::uint16_t key, std::uint8_t shift) {
    const int code = KeyCodeOfEvent(key, shift);
    const bool functionKey = code >= 0x70 && code <= 0x87;
    if (code == 0 || !(sonEdit1_.ReadOnly || functionKey || code > 0x200))
        return false;
    const KeySettings& k = settings_.key;
    if (code == k.PageDown)
        PageDownClick();
    else if (code == k.PageUp)
        PageUpClick();
    else if (code == k.PageDownNext)
        PageDownNextClick();
    else if (code == k.PageUpPrev)
        PageUpPrevClick();
    else
        return false;
    return true;
}

void TForm1::SonEdit1KeyDown(std::uint16_t& key, std::uint8_t shift) {
    if (HandleKey(key, shift))
        key = 0;
}

bool TForm1::RunShortcut(std::uint16_t key, std::uint8_t shift) {
    const CommandSpec* c =
        CommandForKey(settings_.key, KeyCodeOfEvent(key, shift), PlainKeysActive());
    if (!c)
        return false;
    (this->*(c->handler))();
    return true;
}

// The menu's page commands step at the text's ends when NextMailAtEnd is on; of the
// paging keys two always step (PageDownNext, PageUpPrev), two never (PageDown, PageUp).
void TForm1::PageDown1Click() {
    PageBy(true, settings_.view.NextMailAtEnd);
}
void TForm1::PageUp1Click() {
    PageBy(false, settings_.view.NextMailAtEnd);
}
void TForm1::PageDownNextClick() {
    PageBy(true, true);
}
void TForm1::PageUpPrevClick() {
    PageBy(false, true);
}
void TForm1::PageDownClick() {
    PageBy(true, false);
}
void TForm1::PageUpClick() {
    PageBy(false, false);
}
void TForm1::LineUp1Click() {
    ScrollLines(-1, false);
}
void TForm1::LineDown1Click() {
    ScrollLines(1, false);
}

// A page is the whole lines in view less one, so the last line of a page is the first
// of the next; ScrollPercent scales it.
void TForm1::PageBy(bool down, bool stepAtEnd) {
    const int visible = std::max(1, sonEdit1_.VisibleLines() - 1);
    const int step = PageStep(visible, settings_.view.ScrollPercent);
    ScrollLines(down ? step : -step, stepAtEnd);
}

// Scrolls by n lines, the top line kept within the text. A step down made while the
// text's end was already in view goes to the next mail, a step up made at the top to
// the previous one. The caret moves with the view, so it stays in view.
void TForm1::ScrollLines(int n, bool stepAtEnd) {
    editor::TSonEdit2& e = sonEdit1_;
    const int top = e.TopLine();
    const bool endInView = top + e.VisibleLines() >= e.Lines().Count();
    if (n >= 0) {
        e.ScrollLines(n, true);
        if (n >= 1 && stepAtEnd && endInView)
            Next1Click();
        return;
    }
    if (top > 0)
        e.ScrollLines(n, true);
    else if (stepAtEnd)
        Prev1Click();
}

}  // namespace varnel::app
