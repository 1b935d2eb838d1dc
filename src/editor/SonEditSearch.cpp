// The editor engine: search and replace. The owner matches (OnFind); the editor walks
// the text, shows hits and resumes after each hit or replacement.
#include <algorithm>

#include "editor/SonEdit.h"

namespace varnel::editor {

void TSonEdit::FindStart(std::string_view text) {
    findText_ = std::string(text);
    hitCount_ = 0;
    ClearHit();
}

void TSonEdit::ClearHit() {
    const bool shown = hitShown_;
    hitShown_ = false;
    freshSearch_ = true;
    if (shown)
        Invalidate(hitAt_.line, -1);
}

bool TSonEdit::Hit(DisplayPos& at, int& len) const {
    if (!hitShown_)
        return false;
    at = hitAt_;
    len = hitLen_;
    return true;
}

void TSonEdit::SetHitColor(std::uint32_t colour) {
    HitColor = colour;
    if (hitShown_)
        Invalidate(hitAt_.line, -1);
}

// Document bytes from (line, x) to the end of the paragraph of lastLine (soft pieces
// joined, so a match cut by a wrap is whole), then up to extra bytes of the text after
// it, for a match that runs on over the line end.
void TSonEdit::SearchWindow(int line, int x, int lastLine, std::size_t extra,
                            std::string& window) const {
    window.clear();
    for (int i = line; i <= lastLine && i < lines_.Count(); ++i) {
        std::string_view l = StripEofMark(lines_[i]);
        if (i == line)
            l.remove_prefix(std::min(l.size(), static_cast<std::size_t>(x)));
        window += l;
    }
    std::size_t added = 0;
    for (int i = lastLine + 1; i < lines_.Count() && added < extra; ++i) {
        std::string_view l = StripEofMark(lines_[i]);
        l = l.substr(0, std::min(l.size(), extra - added));
        window += l;
        added += l.size();
    }
}

bool TSonEdit::SearchForward(bool replaceRun) {
    Sync();
    if (findText_.empty() || !OnFind)
        return false;
    const LogicalPos start = freshSearch_ ? LogicalCaret() : editor_.Normalize(resumeAt_);
    const DisplayPos from = map_.ToDisplay(start, true);
    // One paragraph at a time, from the start position on, through one buffer.
    std::string window;
    for (int line = from.line, next = 0; line < lines_.Count(); line = next) {
        const int x0 = line == from.line ? from.x : 0;
        const int paraEnd = ParaEnd(line);
        next = paraEnd + 1;
        SearchWindow(line, x0, paraEnd, findText_.size() - 1, window);
        if (window.empty())
            continue;
        int fx = 0, flen = 0;
        OnFind(window, findText_, line, fx, flen);
        // A match must lie inside the window and take at least one byte.
        if (fx < 1 || flen < 1 || static_cast<std::size_t>(fx - 1) >= window.size())
            continue;
        flen = std::min<int>(flen, static_cast<int>(window.size()) - (fx - 1));
        const LogicalPos base = map_.ToLogical({line, x0});
        const LogicalPos hitStart =
            editor_.SnapToChar(editor_.Advance(base, static_cast<std::size_t>(fx - 1)));
        const LogicalPos hitEnd = editor_.Advance(hitStart, static_cast<std::size_t>(flen));
        if (!(hitStart < hitEnd))
            continue;
        anchor_ = map_.ToDisplay(hitStart, true);
        caret_ = selEnd_ = map_.ToDisplay(hitEnd, false);
        selecting_ = true;
        allSelected_ = false;
        columnPx_ = -1;
        hitShown_ = true;
        hitAt_ = anchor_;
        hitLen_ = static_cast<int>(editor_.Distance(hitStart, hitEnd));
        ++hitCount_;
        resumeAt_ = hitEnd;
        freshSearch_ = false;
        ScrollToCaret(ScrollMode::Hit);
        Invalidate(-1, -1);
        if (!replaceRun && OnFindHit)
            OnFindHit(findText_, hitAt_.x, hitAt_.line, hitLen_, hitCount_);
        return true;
    }
    if (!replaceRun && OnFindNoHit)
        OnFindNoHit(findText_);
    freshSearch_ = true;
    return false;
}

bool TSonEdit::FindNext() {
    return SearchForward(false);
}

bool TSonEdit::FindPrev() {
    Sync();
    if (findText_.empty() || !OnFind)
        return false;
    // Search backwards from just before the current hit (or the caret).
    LogicalPos limit = LogicalCaret();
    if (!freshSearch_ && hitShown_)
        limit = map_.ToLogical(hitAt_);
    const DisplayPos to = map_.ToDisplay(limit, false);
    // One paragraph at a time, backwards: its text up to the limit, soft pieces joined.
    for (int line = to.line, first = 0; line >= 0; line = first - 1) {
        first = ParaStart(line);
        std::string window;
        for (int i = first; i <= line; ++i) {
            std::string_view l = StripEofMark(lines_[i]);
            if (i == to.line)
                l = l.substr(0, std::min(l.size(), static_cast<std::size_t>(to.x)));
            window += l;
        }
        // The last match that ends inside the window.
        int lastAt = -1, lastLen = 0;
        std::size_t off = 0;
        while (off < window.size()) {
            int fx = 0, flen = 0;
            OnFind(window.substr(off), findText_, line, fx, flen);
            if (fx < 1 || flen < 1)
                break;
            const std::size_t at = off + static_cast<std::size_t>(fx - 1);
            if (at + static_cast<std::size_t>(flen) > window.size())
                break;
            lastAt = static_cast<int>(at);
            lastLen = flen;
            off = at + 1;
        }
        if (lastAt < 0)
            continue;
        const LogicalPos hitStart = editor_.Normalize(map_.ToLogical({first, 0}));
        const LogicalPos s =
            editor_.SnapToChar(editor_.Advance(hitStart, static_cast<std::size_t>(lastAt)));
        const LogicalPos e = editor_.Advance(s, static_cast<std::size_t>(lastLen));
        anchor_ = map_.ToDisplay(s, true);
        caret_ = selEnd_ = map_.ToDisplay(e, false);
        selecting_ = true;
        allSelected_ = false;
        hitShown_ = true;
        hitAt_ = anchor_;
        hitLen_ = static_cast<int>(editor_.Distance(s, e));
        ++hitCount_;
        resumeAt_ = e;
        freshSearch_ = false;
        ScrollToCaret(ScrollMode::Hit);
        Invalidate(-1, -1);
        if (OnFindHit)
            OnFindHit(findText_, hitAt_.x, hitAt_.line, hitLen_, hitCount_);
        return true;
    }
    if (OnFindNoHit)
        OnFindNoHit(findText_);
    freshSearch_ = true;
    return false;
}

int TSonEdit::FindChange(std::string_view findText, std::string_view changeText) {
    FindStart(findText);
    const std::string change(changeText);
    int changed = 0;
    while (SearchForward(true)) {
        bool changeF = true, kakuninF = false, abortF = false;
        if (OnFindChange)
            OnFindChange(findText_, change, hitAt_.x, hitAt_.line, hitLen_, hitCount_, changeF,
                         kakuninF, abortF);
        if (abortF)
            break;
        if (!changeF)
            continue;
        ReplaceText(change, anchor_.x, anchor_.line, selEnd_.x, selEnd_.line);
        ++changed;
        // Go on after the inserted text, so a replacement is never matched again.
        resumeAt_ = LogicalCaret();
        freshSearch_ = false;
    }
    hitShown_ = false;
    freshSearch_ = true;
    if (OnFindChangeEnd)
        OnFindChangeEnd(findText_, change, changed);
    return changed;
}

}  // namespace varnel::editor
