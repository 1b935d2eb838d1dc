// The editor engine: construction, properties, geometry, whole-text operations, wrap
// switching and the repair of the store after writes from outside.
#include "editor/SonEdit.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "editor/LineSplitter.h"

namespace varnel::editor {

TSonEdit::TSonEdit(const platform::TextMetrics& metrics, platform::Clipboard& clipboard,
                   platform::Prompter& prompter)
    : metrics_(metrics), clipboard_(clipboard), prompter_(prompter), wrap_(metrics) {
    editor_.wrapping = wrapping_;
    lines_.OnLinesChanged = [this](int first, int removed, int inserted) {
        OnStoreChanged(first, removed, inserted);
    };
}

void TSonEdit::OnStoreChanged(int first, int, int) {
    map_.Invalidate(first);
    wrappedWith_.reset();
    if (internalWrites_ > 0)
        return;
    // A write that bypassed the journal: older records no longer match the text.
    outsideWrites_ = true;
    journal_.ClearUndo();
    journal_.ClearRedo();
    journal_.SetHistoryLost(true);
    hitShown_ = false;
    freshSearch_ = true;
}

void TSonEdit::Sync() {
    FinishWrap();
    if (!outsideWrites_)
        return;
    outsideWrites_ = false;
    ++internalWrites_;
    // Check the line encoding: only the last line ends with NUL, CR LF only at ends, no
    // bare LF ends, soft lines only while wrapping.
    bool sound = lines_.Count() > 0;
    for (int i = 0; sound && i < lines_.Count(); ++i) {
        const std::string& l = lines_[i];
        const bool last = i + 1 == lines_.Count();
        if (HasEofMark(l) != last || (!l.empty() && l.back() == '\n' && !HasCrLfEnd(l)) ||
            StripLineEnd(l).find("\r\n") != std::string_view::npos ||
            (!wrapping_ && !HasHardEnd(l)))
            sound = false;
    }
    if (!sound) {
        // Rebuild from the bytes: a NUL or bare LF closing an inner line was meant as a
        // line end.
        std::string text;
        for (int i = 0; i < lines_.Count(); ++i) {
            std::string_view l = lines_[i];
            const bool last = i + 1 == lines_.Count();
            if (last) {
                text += StripEofMark(l);
            } else if (!l.empty() && l.back() == '\0') {
                text += l.substr(0, l.size() - 1);
                text += "\r\n";
            } else if (!l.empty() && l.back() == '\n' && !HasCrLfEnd(l)) {
                text += l.substr(0, l.size() - 1);
                text += "\r\n";
            } else {
                text += l;
            }
        }
        std::vector<std::string> pieces = LineSplitterSplitCrLf(text);
        pieces.back().push_back('\0');
        lines_.Assign(std::move(pieces));
        if (wrapping_)
            lines_.Assign(wrap_.WrapAll(lines_));
    }
    --internalWrites_;
    ClampPositions();
}

void TSonEdit::ClampPositions() {
    caret_ = ClampDisplay(caret_, freeCaret_);
    anchor_ = ClampDisplay(anchor_, freeCaret_);
    selEnd_ = ClampDisplay(selEnd_, freeCaret_);
    topLine_ = std::clamp(topLine_, 0, std::max(0, lines_.Count() - 1));
}

void TSonEdit::Invalidate(int from, int to) {
    if (OnInvalidate)
        OnInvalidate(from, to);
}

// ---- Whole text ----

void TSonEdit::SetText(std::string_view text) {
    ++internalWrites_;
    lines_.SetTextStr(text);
    wrapFrom_ = -1;
    if (wrapping_)
        lines_.Assign(wrap_.WrapAll(lines_));
    --internalWrites_;
    NoteWrapped();
    ResetAfterLoad();
}

void TSonEdit::SetLines(std::vector<std::string>&& lines, bool finalLineEnd) {
    const bool plain = std::none_of(lines.begin(), lines.end(),
                                    [](const std::string& l) { return HasBreakByte(l); });
    if (!plain) {  // line ends or NULs inside: read as the joined text would be
        std::string text;
        for (const std::string& l : lines)
            text += l + "\r\n";
        if (!finalLineEnd && !lines.empty())
            text.resize(text.size() - 2);
        SetText(text);
        return;
    }
    // Each line gets its end in place; the last one, or an empty one after a final
    // line end, is the end-of-text line.
    for (std::string& l : lines) {
        if (l.capacity() >= l.size() + 2) {
            l += "\r\n";
            continue;
        }
        // Grown to the exact size: appending would double the line's room.
        std::string ended;
        ended.reserve(l.size() + 2);
        ended.append(l).append("\r\n");
        l.swap(ended);
    }
    if (!finalLineEnd && !lines.empty()) {
        lines.back().resize(lines.back().size() - 2);
        lines.back().push_back('\0');
    } else {
        lines.emplace_back(1, '\0');
    }
    const bool defer = wrapping_ && DeferWrap;
    ++internalWrites_;
    lines_.Assign(wrapping_ && !defer ? wrap_.WrapHardLines(std::move(lines)) : std::move(lines));
    --internalWrites_;
    wrapFrom_ = defer ? 0 : -1;
    NoteWrapped();
    ResetAfterLoad();
    // The first page now, with a page to spare for the first scroll.
    WrapThrough(2 * VisibleLines() + 2);
}

bool TSonEdit::WrapSome(int paragraphs) {
    if (wrapFrom_ < 0)
        return false;
    ++internalWrites_;
    int line = wrapFrom_;
    try {
        std::vector<std::string> pieces;
        for (int k = 0; k < paragraphs && line < lines_.Count(); ++k) {
            pieces.clear();
            if (!wrap_.CutHardLine(lines_[line], pieces)) {
                ++line;
                continue;
            }
            const int n = static_cast<int>(pieces.size());
            lines_.Splice(line, 1, std::move(pieces));
            pieces = {};
            line += n;
        }
        wrapFrom_ = line < lines_.Count() ? line : -1;
        NoteWrapped();
    } catch (const std::exception&) {
        // The lines not yet wrapped stay whole: the text is intact, and the next rewrap
        // takes them in.
        wrapFrom_ = -1;
        wrappedWith_.reset();
        prompter_.Tell("Error:OC004", platform::Severity::Error);
    }
    --internalWrites_;
    return wrapFrom_ >= 0;
}

void TSonEdit::WrapThrough(int line) {
    while (wrapFrom_ >= 0 && wrapFrom_ <= line)
        WrapSome(16);
}

void TSonEdit::NoteWrapped() {
    if (wrapping_)
        wrappedWith_ = wrap_.CurrentKey();
}

void TSonEdit::ResetAfterLoad() {
    outsideWrites_ = false;
    caret_ = anchor_ = selEnd_ = {};
    selecting_ = allSelected_ = false;
    topLine_ = horzOffset_ = scrollRun_ = 0;
    columnPx_ = -1;
    insertMode_ = true;
    findText_.clear();
    ClearHit();
    ResetUndo();
    Invalidate(-1, -1);
}

bool TSonEdit::LoadFile(const std::string& path) {
    TSonStrings loaded;
    std::string error;
    if (!loaded.LoadFromFile(path, error))
        return false;
    SetText(loaded.GetTextStr());
    return true;
}

bool TSonEdit::SaveFile(const std::string& path) {
    std::string error;
    return SaveFile(path, error);
}

bool TSonEdit::SaveFile(const std::string& path, std::string& error) {
    Sync();
    return lines_.SaveToFile(path, error);
}

void TSonEdit::NewText() {
    SetText("");
}

// ---- Properties ----

namespace {
// Sets a flag and reports a real change through its event.
void SetAndReport(bool& flag, bool on, const std::function<void(bool)>& event) {
    if (flag == on)
        return;
    flag = on;
    if (event)
        event(on);
}
}  // namespace

void TSonEdit::SetModified(bool on) {
    SetAndReport(modified_, on, OnChangeModify);
}

void TSonEdit::SetRedoMode(bool on) {
    SetAndReport(redoMode_, on, OnChangeRedoMode);
}

void TSonEdit::SetUndoBuf(int bytes) {
    undoBuf_ = std::max(0, bytes);
    if (undoBuf_ == 0 || journal_.UndoSize() > static_cast<std::size_t>(undoBuf_)) {
        // Records that no longer fit cannot be kept in part without breaking replay.
        if (journal_.UndoSize() > 0)
            journal_.SetHistoryLost(true);
        journal_.ClearUndo();
        journal_.ClearRedo();
    }
}

void TSonEdit::SetInsertMode(bool on) {
    SetAndReport(insertMode_, on, OnChangeInsMode);
}

void TSonEdit::SetColumn(int n) {
    n = std::max(10, n);
    if (n == wrap_.settings.column)
        return;
    wrap_.settings.column = n;
    if (wrapping_)
        Rewrap(true);
}

void TSonEdit::SetAutoWrap(bool on) {
    if (on == wrap_.settings.autoWrap)
        return;
    wrap_.settings.autoWrap = on;
    if (wrapping_)
        Rewrap(true);
}

void TSonEdit::SetTabCount(int n) {
    n = std::clamp(n, 1, 8);
    if (n == wrap_.settings.tabCount)
        return;
    wrap_.settings.tabCount = n;
    if (wrapping_)
        Rewrap(true);
    else
        Invalidate(-1, -1);
}

void TSonEdit::SetSingleByteMode(bool on) {
    if (on == wrap_.settings.singleByte)
        return;
    wrap_.settings.singleByte = on;
    // Character boundaries change: re-cut, and put the caret back on a character.
    if (wrapping_)
        Rewrap(true);
    ClampPositions();
    Invalidate(-1, -1);
}

void TSonEdit::SetFreeCaretMode(bool on) {
    freeCaret_ = on;
    if (!on) {
        caret_ = ClampDisplay(caret_, false);
        anchor_ = selEnd_ = caret_;
        selecting_ = allSelected_ = false;
        Invalidate(-1, -1);
    }
}

void TSonEdit::SetBoxSelMode(bool on) {
    if (on == boxSel_)
        return;
    boxSel_ = on;
    if (HasSelection())
        Deselect();
}

void TSonEdit::SetTopMargin(int px) {
    topMargin_ = std::clamp(px, 0, 30);
    Invalidate(-1, -1);
}

void TSonEdit::SetLeftMargin(int px) {
    leftMargin_ = std::clamp(px, 0, 30);
    wrap_.settings.textAreaWidth = TextAreaWidth();
    Invalidate(-1, -1);
}

void TSonEdit::SetLineSpace(int n) {
    lineSpace_ = std::clamp(n, 0, 100);
    Invalidate(-1, -1);
}

void TSonEdit::SetLineSpaceUnit(LineSpaceUnit unit) {
    lineSpaceUnit_ = unit;
    Invalidate(-1, -1);
}

void TSonEdit::SetVertScrollLimit(int percent) {
    vertScrollLimit_ = std::clamp(percent, 0, 50);
}

void TSonEdit::SetShowLineNumber(bool on) {
    showLineNumber_ = on;
    wrap_.settings.textAreaWidth = TextAreaWidth();
    Invalidate(-1, -1);
}

void TSonEdit::SetLineNoColumn(int digits) {
    lineNoColumn_ = std::clamp(digits, 1, 5);
    wrap_.settings.textAreaWidth = TextAreaWidth();
}

// ---- Geometry ----

void TSonEdit::SetClientSize(int width, int height) {
    clientWidth_ = std::max(0, width);
    clientHeight_ = std::max(0, height);
    const int old = wrap_.settings.textAreaWidth;
    wrap_.settings.textAreaWidth = TextAreaWidth();
    if (wrapping_ && wrap_.settings.autoWrap && old != wrap_.settings.textAreaWidth)
        Rewrap(false);
    // Wrapped at the window's edge, no line is wider than the window: a horizontal offset
    // left from a narrower size would only hide the start of every line.
    if (wrapping_ && wrap_.settings.autoWrap)
        horzOffset_ = 0;
    else if (wrap_.settings.textAreaWidth > old)
        horzOffset_ = std::min(horzOffset_, OffsetShowingCaret());  // wider: scroll back
    ScrollToCaret();
    Invalidate(-1, -1);
}

int TSonEdit::CharHeight() const {
    return std::max(1, metrics_.CharHeight());
}

int TSonEdit::LinePitch() const {
    const int h = CharHeight();
    if (lineSpaceUnit_ == LineSpaceUnit::uPixel)
        return h + lineSpace_;
    return h + static_cast<int>(std::lround(h * lineSpace_ / 100.0));
}

int TSonEdit::TextLeft() const {
    int numbers = 0;
    if (showLineNumber_) {
        // As many digits as the last line number has, at least LineNoColumn.
        int digits = 1;
        for (int n = lines_.Count(); n >= 10; n /= 10)
            ++digits;
        numbers = std::max(lineNoColumn_, digits) * metrics_.TextWidth("0") + 7;
    }
    return leftMargin_ + numbers;
}

int TSonEdit::TextAreaWidth() const {
    return std::max(0, clientWidth_ - TextLeft());
}

int TSonEdit::TextAreaHeight() const {
    return std::max(0, clientHeight_ - topMargin_);
}

int TSonEdit::VisibleLines() const {
    return TextAreaHeight() / LinePitch();
}

int TSonEdit::VisibleColumns() const {
    return TextAreaWidth() / CellWidth();
}

int TSonEdit::MaxColumn() const {
    // The caret may go as far as the wrap column while wrapping, else a wide margin.
    return wrapping_ ? Column() : std::max(Column(), 1024);
}

// ---- Wrapping and positions ----

int TSonEdit::WrapPosition(std::string_view line) const {
    return static_cast<int>(wrap_.CutPosition(StripLineEnd(line)));
}

void TSonEdit::ClampLine(int& line, int& paraEnd) const {
    line = std::clamp(line, 0, std::max(0, lines_.Count() - 1));
    paraEnd = line;
    if (wrapping_) {
        line = map_.ParaStart(line);
        paraEnd = map_.ParaEnd(line);
    }
}

int TSonEdit::JoinParagraph(int start, int& end, std::string& text) const {
    start = std::clamp(start, 0, std::max(0, lines_.Count() - 1));
    text = map_.JoinParagraph(start, end);
    return end;
}

void TSonEdit::LogicalToDisplay(int& x, int& y) {
    Sync();
    const DisplayPos d = map_.ToDisplay(editor_.SnapToChar({y, x}));
    x = d.x;
    y = d.line;
}

void TSonEdit::DisplayToLogical(int& x, int& y) {
    Sync();
    const LogicalPos l = map_.ToLogical(ClampDisplay({y, x}, false));
    x = l.offset;
    y = l.para;
}

void TSonEdit::SetWrap(bool on, bool repaint) {
    Sync();
    if (on == wrapping_)
        return;
    ClearHit();
    if (freeCaret_) {
        caret_ = ClampDisplay(caret_, false);
        if (!HasSelection())
            anchor_ = caret_;
    }
    const LogicalPos caret = map_.ToLogical(caret_);
    // The new lines are built in full before the store is replaced, so a failure leaves
    // the text and the wrap state as they were.
    std::vector<std::string> next;
    try {
        next = on ? wrap_.WrapAll(lines_) : wrap_.UnwrapAll(lines_);
    } catch (const std::exception&) {
        prompter_.Tell("Error:OC004", platform::Severity::Error);
        return;
    }
    ++internalWrites_;
    lines_.Assign(std::move(next));
    --internalWrites_;
    wrapping_ = on;
    editor_.wrapping = on;
    NoteWrapped();
    caret_ = map_.ToDisplay(caret);
    anchor_ = selEnd_ = caret_;
    selecting_ = allSelected_ = false;
    horzOffset_ = 0;
    columnPx_ = -1;
    if (repaint) {
        ScrollToCaret();
        Invalidate(-1, -1);
    }
}

void TSonEdit::Rewrap() {
    Rewrap(true);
}

void TSonEdit::Rewrap(bool repaint) {
    if (wrapFrom_ >= 0) {
        if (!outsideWrites_ && wrappedWith_ && *wrappedWith_ == wrap_.CurrentKey()) {
            // The wrap under way goes on as it is; the caret lies in the wrapped part.
            ClearHit();
            if (repaint) {
                ScrollToCaret();
                Invalidate(-1, -1);
            }
            return;
        }
        // Wrapped afresh below, paragraphs and waiting lines alike.
        wrapFrom_ = -1;
    }
    Sync();
    if (!wrapping_) {
        Invalidate(-1, -1);
        return;
    }
    const LogicalPos caret = map_.ToLogical(caret_);
    const LogicalPos anchor = map_.ToLogical(anchor_);
    const LogicalPos selEnd = map_.ToLogical(selEnd_);
    // Nothing the wrap depends on changed: the lines would come out the same.
    if (!wrappedWith_ || !(*wrappedWith_ == wrap_.CurrentKey())) {
        std::vector<std::string> next;
        try {
            next = wrap_.WrapAll(lines_);
        } catch (const std::exception&) {
            prompter_.Tell("Error:OC004", platform::Severity::Error);
            return;
        }
        ++internalWrites_;
        lines_.Assign(std::move(next));
        --internalWrites_;
        NoteWrapped();
    }
    caret_ = map_.ToDisplay(caret);
    anchor_ = map_.ToDisplay(anchor);
    selEnd_ = map_.ToDisplay(selEnd);
    ClearHit();
    if (repaint) {
        ScrollToCaret();
        Invalidate(-1, -1);
    }
}

}  // namespace varnel::editor
