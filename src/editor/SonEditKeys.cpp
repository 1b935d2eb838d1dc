// The editor engine: key and character input, dispatched through one binding table.
#include <algorithm>
#include <array>

#include "editor/SonEdit.h"
#include "text/Sjis.h"

namespace varnel::editor {

namespace {
enum class ShiftUse { Extends, Off, On };

struct KeyBinding {
    std::uint16_t key;
    bool ctrl;
    ShiftUse shift;
    bool edits;  // blocked while ReadOnly
    int action;
};

enum Action {
    kCharLeft,
    kCharRight,
    kWordLeft,
    kWordRight,
    kLineUp,
    kLineDown,
    kLineHome,
    kLineEnd,
    kTextHome,
    kTextEnd,
    kPageUp,
    kPageDown,
    kSelectAll,
    kCopy,
    kCut,
    kPaste,
    kUndo,
    kToggleInsert,
    kDeleteForward,
    kDeleteBack,
    kDeleteWordForward,
    kDeleteWordBack,
    kNewLine,
    kTab,
    kEscape,
};

constexpr std::array<KeyBinding, 32> kBindings = {{
    {vk::kLeft, false, ShiftUse::Extends, false, kCharLeft},
    {vk::kRight, false, ShiftUse::Extends, false, kCharRight},
    {vk::kLeft, true, ShiftUse::Extends, false, kWordLeft},
    {vk::kRight, true, ShiftUse::Extends, false, kWordRight},
    {vk::kUp, false, ShiftUse::Extends, false, kLineUp},
    {vk::kDown, false, ShiftUse::Extends, false, kLineDown},
    {vk::kHome, false, ShiftUse::Extends, false, kLineHome},
    {vk::kEnd, false, ShiftUse::Extends, false, kLineEnd},
    {vk::kOemComma, true, ShiftUse::Extends, false, kLineHome},
    {vk::kOemPeriod, true, ShiftUse::Extends, false, kLineEnd},
    {vk::kHome, true, ShiftUse::Extends, false, kTextHome},
    {vk::kEnd, true, ShiftUse::Extends, false, kTextEnd},
    {vk::kPrior, false, ShiftUse::Extends, false, kPageUp},
    {vk::kNext, false, ShiftUse::Extends, false, kPageDown},
    {'A', true, ShiftUse::Off, false, kSelectAll},
    {'C', true, ShiftUse::Off, false, kCopy},
    {vk::kInsert, true, ShiftUse::Off, false, kCopy},
    {'X', true, ShiftUse::Off, true, kCut},
    {vk::kDelete, false, ShiftUse::On, true, kCut},
    {'V', true, ShiftUse::Off, true, kPaste},
    {vk::kInsert, false, ShiftUse::On, true, kPaste},
    {'Z', true, ShiftUse::Off, true, kUndo},
    {vk::kInsert, false, ShiftUse::Off, false, kToggleInsert},
    {vk::kDelete, false, ShiftUse::Off, true, kDeleteForward},
    {vk::kBack, false, ShiftUse::Off, true, kDeleteBack},
    {vk::kDelete, true, ShiftUse::Off, true, kDeleteWordForward},
    {vk::kBack, true, ShiftUse::Off, true, kDeleteWordBack},
    {vk::kReturn, false, ShiftUse::Extends, true, kNewLine},
    {vk::kTab, false, ShiftUse::Off, true, kTab},
    {vk::kEscape, false, ShiftUse::Extends, false, kEscape},
    {vk::kBack, false, ShiftUse::On, true, kDeleteBack},
    {vk::kReturn, true, ShiftUse::Extends, true, kNewLine},
}};

const KeyBinding* FindBinding(std::uint16_t key, std::uint8_t shift) {
    const bool ctrl = (shift & kCtrlKey) != 0;
    const bool sh = (shift & kShiftKey) != 0;
    for (const KeyBinding& b : kBindings) {
        if (b.key != key || b.ctrl != ctrl)
            continue;
        if ((b.shift == ShiftUse::Off && sh) || (b.shift == ShiftUse::On && !sh))
            continue;
        return &b;
    }
    return nullptr;
}
}  // namespace

bool TSonEdit::KeyDown(std::uint16_t key, std::uint8_t shift) {
    Sync();
    const bool ctrl = (shift & kCtrlKey) != 0;
    if (CaretScrollFix &&
        (key == vk::kPrior || key == vk::kNext || key == vk::kEscape || (ctrl && key < 32)))
        ScrollToCaret();
    const KeyBinding* b = FindBinding(key, shift);
    if (b == nullptr || (b->key == vk::kTab && !WantTabs))
        return false;
    if (b->edits && ReadOnly)
        return true;
    const bool extend = b->shift == ShiftUse::Extends && (shift & kShiftKey) != 0;
    const DisplayPos c = ClampDisplay(caret_, freeCaret_);
    const int len = LineContentLength(c.line);
    const bool soft = c.line + 1 < lines_.Count() && !HasHardEnd(lines_[c.line]);
    const CharRules rules = wrap_.Rules();
    const auto content = [this](int line) { return ParagraphMap::Content(lines_[line]); };
    switch (b->action) {
        case kCharLeft: {
            if (c.x > len)
                MoveCaret({c.line, c.x - 1}, extend);
            else if (c.x > 0)
                MoveCaret({c.line, static_cast<int>(
                                       rules.Prev(content(c.line), static_cast<std::size_t>(c.x)))},
                          extend);
            else if (c.line > 0) {
                const int prev = c.line - 1;
                const int plen = LineContentLength(prev);
                // The end of a soft piece is the place we stand on: step one character.
                const int x = HasHardEnd(lines_[prev])
                                  ? plen
                                  : static_cast<int>(
                                        rules.Prev(content(prev), static_cast<std::size_t>(plen)));
                MoveCaret({prev, x}, extend);
            }
            break;
        }
        case kCharRight: {
            if (c.x < len) {
                const int nx =
                    static_cast<int>(rules.Next(content(c.line), static_cast<std::size_t>(c.x)));
                MoveCaret(nx == len && soft ? DisplayPos{c.line + 1, 0} : DisplayPos{c.line, nx},
                          extend);
            } else if (soft) {
                const std::string_view next = content(c.line + 1);
                MoveCaret({c.line + 1, static_cast<int>(rules.Next(next, 0))}, extend);
            } else if (freeCaret_) {
                MoveCaret({c.line, c.x + 1}, extend);
            } else if (c.line + 1 < lines_.Count()) {
                MoveCaret({c.line + 1, 0}, extend);
            }
            break;
        }
        case kWordLeft:
            MoveCaret(WordStep(c, false), extend);
            break;
        case kWordRight:
            MoveCaret(WordStep(c, true), extend);
            break;
        case kLineUp:
            MoveCaretVertically(-1, extend);
            break;
        case kLineDown:
            MoveCaretVertically(1, extend);
            break;
        case kLineHome:
            MoveCaret({c.line, 0}, extend);
            break;
        case kLineEnd:
            MoveCaret({c.line, len}, extend);
            break;
        case kTextHome:
            horzOffset_ = 0;
            topLine_ = 0;
            MoveCaret({0, 0}, extend);
            Invalidate(-1, -1);
            break;
        case kTextEnd:
            MoveCaret({lines_.Count() - 1, LineContentLength(lines_.Count() - 1)}, extend);
            break;
        case kPageUp:
        case kPageDown: {
            const int page = std::max(1, TextAreaHeight() / LinePitch());
            const int step = b->action == kPageUp ? -page : page;
            topLine_ = std::clamp(topLine_ + step, 0, std::max(0, lines_.Count() - 1));
            MoveCaretVertically(step, extend);  // clamped to the text
            Invalidate(-1, -1);
            break;
        }
        case kSelectAll:
            SelectAll();
            break;
        case kCopy:
            CopyToClipboard();
            break;
        case kCut:
            CutToClipboard();
            break;
        case kPaste:
            PasteFromClipboard();
            break;
        case kUndo:
            Undo();
            break;
        case kToggleInsert:
            SetInsertMode(!insertMode_);
            break;
        case kDeleteForward:
            DeleteChar(true, false);
            break;
        case kDeleteBack:
            DeleteChar(false, false);
            break;
        case kDeleteWordForward:
            DeleteChar(true, true);
            break;
        case kDeleteWordBack:
            DeleteChar(false, true);
            break;
        case kNewLine:
        case kTab: {
            std::string text = b->action == kTab ? "\t" : "\r\n";
            if (b->action == kNewLine && AutoIndent) {
                // Repeat the leading white space of the text left of the caret.
                const LogicalPos at = LogicalCaret();
                const std::string para = map_.GetParagraphText(c.line);
                std::size_t n = 0;
                while (n < static_cast<std::size_t>(at.offset) && n < para.size() &&
                       static_cast<unsigned char>(para[n]) <= 0x20)
                    ++n;
                text += para.substr(0, n);
            }
            if (HasSelection())
                DeleteSelectionCore(boxSel_);
            InsertAtCaret(text, true, kUndoInserted);
            ScrollToCaret();
            Changed();
            break;
        }
        case kEscape:
            ClearHit();
            break;
        default:
            return false;
    }
    return true;
}

void TSonEdit::KeyPress(unsigned char ch, std::uint8_t shift) {
    if (ReadOnly || (shift & kCtrlKey) != 0)
        return;
    if (pendingLead_ != 0) {
        const char pair[2] = {static_cast<char>(pendingLead_), static_cast<char>(ch)};
        pendingLead_ = 0;
        if (text::IsTrailByte(ch)) {
            TypeText(std::string_view(pair, 2));
            return;
        }
    }
    if (!SingleByteMode() && text::IsLeadByte(ch)) {
        pendingLead_ = ch;
        return;
    }
    if ((ch >= 0x20 && ch <= 0x7E) || ch >= 0xA0) {
        const char one = static_cast<char>(ch);
        TypeText(std::string_view(&one, 1));
    }
}

}  // namespace varnel::editor
