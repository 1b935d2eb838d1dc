// The editor engine: caret geometry, caret moves, selections, mouse positioning and the
// scroll rules.
#include <algorithm>
#include <cmath>

#include "editor/SonEdit.h"

namespace varnel::editor {

int TSonEdit::LineContentLength(int line) const {
    if (line < 0 || line >= lines_.Count())
        return 0;
    return static_cast<int>(ParagraphMap::Content(lines_[line]).size());
}

DisplayPos TSonEdit::ClampDisplay(DisplayPos p, bool allowFree) const {
    if (lines_.Count() == 0)
        return {};
    p.line = std::clamp(p.line, 0, lines_.Count() - 1);
    const std::string_view content = ParagraphMap::Content(lines_[p.line]);
    const int len = static_cast<int>(content.size());
    const int limit = allowFree ? std::max(len, MaxColumn()) : len;
    p.x = std::clamp(p.x, 0, limit);
    if (p.x < len)
        p.x = static_cast<int>(wrap_.Rules().Snap(content, static_cast<std::size_t>(p.x)));
    return p;
}

int TSonEdit::PixelXOf(DisplayPos p) const {
    if (lines_.Count() == 0)
        return 0;
    const std::string_view content =
        ParagraphMap::Content(lines_[std::clamp(p.line, 0, lines_.Count() - 1)]);
    const auto x = static_cast<std::size_t>(std::max(0, p.x));
    int px = wrap_.ExpandedWidth(content.substr(0, std::min(x, content.size())));
    if (x > content.size())
        px += static_cast<int>(x - content.size()) * std::max(1, metrics_.TextWidth(" "));
    return px;
}

int TSonEdit::CaretPixelX() const {
    return PixelXOf(caret_) - horzOffset_;
}

// The character boundary nearest to px (unscrolled pixels from the text's left edge).
int TSonEdit::OffsetAtPixel(int line, int px, bool allowFree) const {
    if (lines_.Count() == 0)
        return 0;
    line = std::clamp(line, 0, lines_.Count() - 1);
    const std::string_view content = ParagraphMap::Content(lines_[line]);
    const CharRules rules = wrap_.Rules();
    if (px <= 0)
        return 0;
    const int full = wrap_.ExpandedWidth(content);
    if (px >= full) {
        const int len = static_cast<int>(content.size());
        if (!allowFree)
            return len;
        const int blank = std::max(1, metrics_.TextWidth(" "));
        return std::min(len + (px - full + blank / 2) / blank, std::max(len, MaxColumn()));
    }
    // Largest prefix not wider than px, found by bisection over bytes.
    std::size_t lo = 0, hi = content.size();
    while (hi - lo > 1) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (wrap_.ExpandedWidth(content.substr(0, mid)) <= px)
            lo = mid;
        else
            hi = mid;
    }
    std::size_t k = rules.Snap(content, lo);
    const std::size_t next = rules.Next(content, k);
    const int w0 = wrap_.ExpandedWidth(content.substr(0, k));
    const int w1 = wrap_.ExpandedWidth(content.substr(0, next));
    if (px - w0 > (w1 - w0) / 2)
        k = next;
    return static_cast<int>(k);
}

// ---- Selection ----

// The end of a soft line and the start of the next are one text position: a selection
// between them is empty.
bool TSonEdit::HasSelection() const {
    if (allSelected_)
        return true;
    if (!selecting_ || anchor_ == selEnd_)
        return false;
    if (boxSel_)
        return true;
    const DisplayPos a = std::min(anchor_, selEnd_), b = std::max(anchor_, selEnd_);
    if (b.line != a.line + 1 || b.x != 0 || a.line < 0 || a.line >= lines_.Count())
        return true;
    const std::string& line = lines_[a.line];
    return HasHardEnd(line) || HasEofMark(line) ||
           static_cast<std::size_t>(a.x) < ParagraphMap::Content(line).size();
}

bool TSonEdit::BoxRange(int line, int& x1, int& x2) {
    const int px1 = std::min(PixelXOf(anchor_), PixelXOf(selEnd_));
    const int px2 = std::max(PixelXOf(anchor_), PixelXOf(selEnd_));
    x1 = OffsetAtPixel(line, px1, false);
    x2 = OffsetAtPixel(line, px2, false);
    return x2 > x1;
}

std::string TSonEdit::GetSelText() {
    Sync();
    if (!HasSelection())
        return {};
    if (allSelected_)
        return lines_.GetFileText();
    if (boxSel_) {
        std::string out;
        const int y1 = std::min(anchor_.line, selEnd_.line);
        const int y2 = std::max(anchor_.line, selEnd_.line);
        for (int line = y1; line <= y2; ++line) {
            int x1 = 0, x2 = 0;
            if (BoxRange(line, x1, x2))
                out += ParagraphMap::Content(lines_[line])
                           .substr(static_cast<std::size_t>(x1), static_cast<std::size_t>(x2 - x1));
            if (line < y2)
                out += "\r\n";
        }
        return out;
    }
    const LogicalPos a = map_.ToLogical(ClampDisplay(std::min(anchor_, selEnd_), false));
    const LogicalPos b = map_.ToLogical(ClampDisplay(std::max(anchor_, selEnd_), false));
    return editor_.Read(a, editor_.Distance(a, b));
}

int TSonEdit::SelLength() {
    return static_cast<int>(GetSelText().size());
}

bool TSonEdit::GetSelRange(int& x1, int& y1, int& y2, int& x2) {
    Sync();
    if (!HasSelection()) {
        x1 = x2 = caret_.x;
        y1 = y2 = caret_.line;
        return false;
    }
    DisplayPos a = std::min(anchor_, selEnd_), b = std::max(anchor_, selEnd_);
    if (allSelected_) {
        a = {};
        b = {lines_.Count() - 1, LineContentLength(lines_.Count() - 1)};
    }
    if (b.x == 0 && b.line > a.line) {
        --b.line;
        b.x = LineContentLength(b.line);
    }
    x1 = a.x;
    y1 = a.line;
    x2 = b.x;
    y2 = b.line;
    return true;
}

bool TSonEdit::SelectionOnLine(int line, int& x1, int& x2) {
    if (!HasSelection() || line < 0 || line >= lines_.Count())
        return false;
    if (allSelected_) {
        x1 = 0;
        x2 = static_cast<int>(lines_[line].size());
        return true;
    }
    const DisplayPos a = std::min(anchor_, selEnd_), b = std::max(anchor_, selEnd_);
    if (line < a.line || line > b.line)
        return false;
    if (boxSel_)
        return BoxRange(line, x1, x2);
    // Whole line ends (CR LF) count as selected on the lines that continue.
    x1 = line == a.line ? a.x : 0;
    x2 = line == b.line ? b.x : static_cast<int>(lines_[line].size());
    return x2 > x1;
}

void TSonEdit::Select(DisplayPos anchor, DisplayPos end) {
    Sync();
    anchor_ = ClampDisplay(anchor, freeCaret_);
    selEnd_ = caret_ = ClampDisplay(end, freeCaret_);
    selecting_ = true;
    allSelected_ = false;
    columnPx_ = -1;
    ScrollToCaret();
    if (OnSelectionChange)
        OnSelectionChange();
    Invalidate(-1, -1);
}

void TSonEdit::SelectAll() {
    Sync();
    if (lines_.Count() == 1 && lines_[0].size() == 1)
        return;  // nothing but the end-of-text mark
    boxSel_ = false;
    allSelected_ = true;
    selecting_ = false;
    anchor_ = {};
    selEnd_ = caret_ = {lines_.Count() - 1, LineContentLength(lines_.Count() - 1)};
    ClearHit();
    if (OnSelectionChange)
        OnSelectionChange();
    Invalidate(-1, -1);
}

void TSonEdit::SelectChars(int n) {
    Sync();
    const LogicalPos from = LogicalCaret();
    LogicalPos to = from;
    if (n >= 0) {
        to = editor_.SnapToChar(editor_.Advance(from, static_cast<std::size_t>(n)));
    } else {
        // Back across paragraphs.
        std::size_t back = static_cast<std::size_t>(-static_cast<long long>(n));
        while (back > 0) {
            if (static_cast<std::size_t>(to.offset) >= back) {
                to.offset -= static_cast<int>(back);
                break;
            }
            back -= static_cast<std::size_t>(to.offset);
            if (to.para == 0) {
                to.offset = 0;
                break;
            }
            --to.para;
            const int line = map_.FirstLineOfParagraph(to.para);
            int end = 0;
            to.offset = static_cast<int>(map_.JoinParagraph(line, end).size());
            back = back > 2 ? back - 2 : 0;  // the CR LF
        }
        to = editor_.SnapToChar(to);
    }
    Select(map_.ToDisplay(from), map_.ToDisplay(to));
}

void TSonEdit::Deselect() {
    selecting_ = allSelected_ = false;
    anchor_ = selEnd_ = caret_;
    if (OnSelectionChange)
        OnSelectionChange();
    Invalidate(-1, -1);
}

// ---- Caret moves ----

void TSonEdit::MoveCaret(DisplayPos to, bool extend, bool keepColumn) {
    to = ClampDisplay(to, freeCaret_);
    const bool hadSelection = HasSelection();
    if (extend) {
        if (allSelected_) {
            allSelected_ = false;
            anchor_ = {};
        } else if (!selecting_) {
            anchor_ = caret_;
        }
        selecting_ = true;
        caret_ = selEnd_ = to;
    } else {
        caret_ = anchor_ = selEnd_ = to;
        selecting_ = allSelected_ = false;
    }
    if (!keepColumn)
        columnPx_ = -1;
    const bool scrolled = ScrollToCaret();
    if (extend || hadSelection) {
        if (OnSelectionChange)
            OnSelectionChange();
        Invalidate(-1, -1);
    } else if (scrolled) {
        Invalidate(-1, -1);
    }
}

void TSonEdit::MoveCaretVertically(int lines, bool extend) {
    if (columnPx_ < 0)
        columnPx_ = PixelXOf(caret_);
    const int line = std::clamp(caret_.line + lines, 0, lines_.Count() - 1);
    MoveCaret({line, OffsetAtPixel(line, columnPx_, freeCaret_)}, extend, true);
}

bool TSonEdit::MoveCaretTo(int x, int y, ScrollMode mode) {
    Sync();
    caret_ = anchor_ = selEnd_ = ClampDisplay({y, x}, freeCaret_);
    selecting_ = allSelected_ = false;
    columnPx_ = -1;
    const bool scrolled = ScrollToCaret(mode);
    if (OnSelectionChange)
        OnSelectionChange();
    if (OnMoveCaret)
        OnMoveCaret();
    Invalidate(-1, -1);
    return scrolled;
}

void TSonEdit::CaretToTop() {
    topLine_ = 0;
    horzOffset_ = 0;
    MoveCaretTo(0, 0);
}

// The next (previous) change of character class, crossing into the next (previous)
// paragraph at its ends.
DisplayPos TSonEdit::WordStep(DisplayPos from, bool forward) {
    LogicalPos at = map_.ToLogical(ClampDisplay(from, false));
    int line = map_.FirstLineOfParagraph(at.para), end = 0;
    const std::string text = map_.JoinParagraph(line, end);
    const CharRules rules = wrap_.Rules();
    auto off = static_cast<std::size_t>(at.offset);
    if (forward) {
        if (off >= text.size()) {
            if (end + 1 >= lines_.Count())
                return map_.ToDisplay(at, true);
            return map_.ToDisplay({at.para + 1, 0}, true);
        }
        const int cls = rules.WordClassAt(text, off);
        while (off < text.size() && rules.WordClassAt(text, off) == cls)
            off = rules.Next(text, off);
        return map_.ToDisplay({at.para, static_cast<int>(off)}, true);
    }
    if (off == 0) {
        if (at.para == 0)
            return map_.ToDisplay(at, false);
        const int prev = map_.ParaStart(line - 1);
        int prevEnd = 0;
        return map_.ToDisplay(
            {at.para - 1, static_cast<int>(map_.JoinParagraph(prev, prevEnd).size())}, false);
    }
    // Character starts up to the caret, found walking forward once (walking backward
    // through a run of lead-range bytes would rescan it for every character).
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < off; i = rules.Next(text, i))
        starts.push_back(i);
    std::size_t k = starts.size() - 1;
    const int cls = rules.WordClassAt(text, starts[k]);
    while (k > 0 && rules.WordClassAt(text, starts[k - 1]) == cls)
        --k;
    return map_.ToDisplay({at.para, static_cast<int>(starts[k])}, true);
}

// ---- Mouse ----

DisplayPos TSonEdit::PointToPosition(int px, int py) {
    Sync();
    const int row = py < topMargin_ ? -1 : (py - topMargin_) / LinePitch();
    const int line = std::clamp(topLine_ + row, 0, std::max(0, lines_.Count() - 1));
    return {line, OffsetAtPixel(line, px - TextLeft() + horzOffset_, freeCaret_)};
}

void TSonEdit::MouseDown(int px, int py, std::uint8_t shift) {
    Sync();
    const DisplayPos at = PointToPosition(px, py);
    if (px < TextLeft() && horzOffset_ == 0) {
        // The left margin selects the whole line.
        const DisplayPos end = at.line + 1 < lines_.Count()
                                   ? DisplayPos{at.line + 1, 0}
                                   : DisplayPos{at.line, LineContentLength(at.line)};
        Select({at.line, 0}, end);
        return;
    }
    if (shift & kShiftKey) {
        MoveCaret(at, true);
        return;
    }
    MoveCaret(at, false);
    dragging_ = true;
}

void TSonEdit::MouseMove(int px, int py) {
    if (!dragging_)
        return;
    MoveCaret(PointToPosition(px, py), true);
}

void TSonEdit::MouseUp(int, int) {
    dragging_ = false;
    scrollRun_ = 0;
}

void TSonEdit::DragScrollTick(int px, int py) {
    if (!dragging_)
        return;
    if (py < topMargin_)
        MoveCaretVertically(-1, true);
    else if (py >= topMargin_ + VisibleLines() * LinePitch())
        MoveCaretVertically(1, true);
    else if (px < TextLeft())
        MoveCaret({caret_.line,
                   static_cast<int>(wrap_.Rules().Prev(ParagraphMap::Content(lines_[caret_.line]),
                                                       static_cast<std::size_t>(caret_.x)))},
                  true);
    else if (px >= TextLeft() + TextAreaWidth())
        MoveCaret({caret_.line, caret_.x + static_cast<int>(wrap_.Rules().Length(
                                               ParagraphMap::Content(lines_[caret_.line]),
                                               static_cast<std::size_t>(caret_.x)))},
                  true);
}

// ---- Scrolling ----

int TSonEdit::ScrollMargin() const {
    return static_cast<int>(std::lround(VisibleLines() * vertScrollLimit_ * 0.01)) + 1;
}

void TSonEdit::SetTopLine(int line) {
    FinishWrap();
    topLine_ = std::clamp(line, 0, std::max(0, lines_.Count() - 1));
    Invalidate(-1, -1);
}

void TSonEdit::SetHorzOffset(int px) {
    horzOffset_ = std::max(0, px);
    Invalidate(-1, -1);
}

int TSonEdit::OffsetShowingCaret() const {
    // Whole cells, so that no glyph is cut and the ruler stays in line; the caret a fifth
    // of the width from the right edge.
    const int width = TextAreaWidth();
    const int cell = std::max(1, CellWidth());
    return (std::max(0, PixelXOf(caret_) - (width - (width + 4) / 5)) + cell - 1) / cell * cell;
}

bool TSonEdit::ScrollToCaret(ScrollMode mode) {
    const int oldTop = topLine_, oldHorz = horzOffset_;
    // Horizontal: keep the caret inside, a fifth of the width from the right edge.
    const int width = TextAreaWidth();
    const int px = PixelXOf(caret_);
    const int fifth = (width + 4) / 5;
    const int edge = CurSetMode ? 10 : fifth;
    if (px - horzOffset_ < 0 || px - horzOffset_ > width - std::min(edge, width))
        horzOffset_ = OffsetShowingCaret();
    // Vertical.
    const int vis = VisibleLines();
    const int margin = ScrollMargin();
    const int line = caret_.line;
    switch (mode) {
        case ScrollMode::Follow:
            if (line > topLine_ + vis - margin)
                topLine_ = line - (vis - margin);
            else if (line < topLine_ + margin - 1)
                topLine_ = std::max(0, line - margin + 1);
            break;
        case ScrollMode::Centre:
            topLine_ = line - vis / 2;
            break;
        case ScrollMode::Hit:
            topLine_ = std::max(0, line - (vis - static_cast<int>(std::lround(0.8 * vis))));
            break;
    }
    const int count = lines_.Count();
    if (count + margin <= vis)
        topLine_ = 0;
    else
        topLine_ = std::min(topLine_, count - (vis - margin));
    topLine_ = std::clamp(topLine_, 0, std::max(0, count - 1));
    return topLine_ != oldTop || horzOffset_ != oldHorz;
}

void TSonEdit::ScrollLines(int delta, bool fromKey) {
    Sync();
    const int count = lines_.Count();
    const int top = std::clamp(topLine_ + delta, 0, std::max(0, count - 1));
    const int moved = top - topLine_;
    if (moved == 0)
        return;
    topLine_ = top;
    // The scroll bar and the wheel move the view only while text is selected, so the
    // selection stays.
    if (!(CaretScrollFix && !fromKey) && !(HasSelection() && !fromKey)) {
        if (columnPx_ < 0)
            columnPx_ = PixelXOf(caret_);
        const int line = std::clamp(caret_.line + moved, 0, count - 1);
        const DisplayPos to{line, OffsetAtPixel(line, columnPx_, freeCaret_)};
        caret_ = anchor_ = selEnd_ = ClampDisplay(to, freeCaret_);
        selecting_ = allSelected_ = false;
    }
    Invalidate(-1, -1);
}

void TSonEdit::Wheel(int delta) {
    const int notches = delta / 120;
    if (notches != 0)
        ScrollLines(-notches * WheelStep);
}

}  // namespace varnel::editor
