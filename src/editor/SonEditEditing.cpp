// The editor engine: every change of the text (typing, insertion, deletion, boxes,
// clipboard), each written to the undo journal in paragraph terms taken before the
// store changes.
#include <algorithm>
#include <exception>

#include "editor/LineSplitter.h"
#include "editor/SonEdit.h"

namespace varnel::editor {

namespace {
// Pieces of a rectangular text: cut at CR LF, no empty piece after a final CR LF.
std::vector<std::string> BoxRows(std::string_view text) {
    std::vector<std::string> rows = LineSplitterSplitCrLf(text);
    for (std::size_t i = 0; i + 1 < rows.size(); ++i)
        rows[i].resize(rows[i].size() - 2);
    if (rows.size() > 1 && rows.back().empty())
        rows.pop_back();
    return rows;
}
}  // namespace

LogicalPos TSonEdit::LogicalCaret() {
    return map_.ToLogical(ClampDisplay(caret_, false));
}

Replacement TSonEdit::Change(LogicalPos at, std::size_t n, std::string_view text) {
    ++internalWrites_;
    struct Done {
        int& count;
        ~Done() { --count; }
    } done{internalWrites_};
    Replacement r = editor_.Replace(at, n, text);
    hitShown_ = false;
    if (r.oldLines == r.newLines)
        Invalidate(r.firstLine, r.firstLine + r.newLines - 1);
    else
        Invalidate(r.firstLine, -1);
    return r;
}

void TSonEdit::Record(std::uint8_t kind, std::string text, LogicalPos at) {
    if (text.empty())
        return;
    SetModified(true);
    if (!UndoRec || undoBuf_ == 0) {
        // An unrecorded change: older records could no longer be replayed.
        journal_.ClearUndo();
        journal_.ClearRedo();
        journal_.SetHistoryLost(true);
        SetRedoMode(false);
        return;
    }
    journal_.Add(TUndoRecord{kind, at.offset, at.para, std::move(text)},
                 static_cast<std::size_t>(undoBuf_));
    journal_.ClearRedo();
    SetRedoMode(false);
}

void TSonEdit::Changed() {
    if (OnChange)
        OnChange();
}

void TSonEdit::PlaceCaret(LogicalPos at, bool nextAtBreak) {
    caret_ = ClampDisplay(map_.ToDisplay(editor_.Normalize(at), nextAtBreak), false);
    anchor_ = selEnd_ = caret_;
    selecting_ = allSelected_ = false;
    columnPx_ = -1;
}

bool TSonEdit::AddUndo(std::uint8_t kind, std::string_view text, int y, int x) {
    Sync();
    if (text.empty())
        return true;
    DisplayPos at{y, x};
    if (x == -1) {
        at = std::min(anchor_, selEnd_);
        if (allSelected_)
            at = {};
    }
    const LogicalPos pos = map_.ToLogical(ClampDisplay(at, false));
    Record(kind, std::string(text), pos);
    return text.size() <= static_cast<std::size_t>(undoBuf_) || !UndoRec || undoBuf_ == 0;
}

// ---- Deleting ----

LogicalPos TSonEdit::DeleteSelectionCore(bool box) {
    if (box && !allSelected_) {
        // Every row's bytes, top to bottom, in terms of the text before any deletion.
        const int y1 = std::min(anchor_.line, selEnd_.line);
        const int y2 = std::max(anchor_.line, selEnd_.line);
        std::vector<BoxPiece> rows;
        for (int line = y1; line <= y2; ++line) {
            int x1 = 0, x2 = 0;
            if (!BoxRange(line, x1, x2) || x2 <= x1)
                continue;
            const LogicalPos at = map_.ToLogical({line, x1});
            rows.push_back({at.offset, at.para, editor_.Read(at, x2 - x1)});
        }
        const DisplayPos top = {y1, 0};
        // Bottom first, so the places of the rows above stay valid.
        for (auto it = rows.rbegin(); it != rows.rend(); ++it)
            Change({it->y, it->x}, it->text.size(), "");
        Record(kUndoBoxDeleted, BoxPiecesEncode(rows),
               rows.empty() ? map_.ToLogical(top) : LogicalPos{rows[0].y, rows[0].x});
        const LogicalPos caret = rows.empty() ? map_.ToLogical(ClampDisplay(caret_, false))
                                              : LogicalPos{rows[0].y, rows[0].x};
        PlaceCaret(caret, false);
        return caret;
    }
    LogicalPos a, b;
    if (allSelected_) {
        a = {0, 0};
        b = editor_.End();
    } else {
        a = map_.ToLogical(ClampDisplay(std::min(anchor_, selEnd_), false));
        b = map_.ToLogical(ClampDisplay(std::max(anchor_, selEnd_), false));
    }
    const Replacement r = Change(a, editor_.Distance(a, b), "");
    Record(kUndoDeleted, r.removed, r.start);
    PlaceCaret(r.start, true);
    return r.start;
}

void TSonEdit::DeleteSelection(bool repaint, bool box) {
    Sync();
    if (!HasSelection())
        return;
    DeleteSelectionCore(box && boxSel_);
    if (repaint)
        ScrollToCaret();
    Changed();
}

// Backspace (forward false) and Delete (forward true), by character or by word.
void TSonEdit::DeleteChar(bool forward, bool word) {
    Sync();
    if (HasSelection()) {
        DeleteSelectionCore(boxSel_);
        ScrollToCaret();
        Changed();
        return;
    }
    const LogicalPos at = LogicalCaret();
    int line = map_.FirstLineOfParagraph(at.para), end = 0;
    const std::string text = map_.JoinParagraph(line, end);
    const bool lastPara = end + 1 >= lines_.Count();
    const CharRules rules = wrap_.Rules();
    LogicalPos from = at;
    std::size_t n = 0;
    if (forward) {
        if (static_cast<std::size_t>(at.offset) < text.size()) {
            const char c = text[static_cast<std::size_t>(at.offset)];
            if (word && c != '\t' && c != ' ') {
                const DisplayPos to = WordStep(map_.ToDisplay(at, true), true);
                n = editor_.Distance(at, map_.ToLogical(to));
            }
            if (n == 0)
                n = rules.Length(text, static_cast<std::size_t>(at.offset));
        } else if (!lastPara) {
            n = 2;  // the CR LF: join the next paragraph
        }
    } else {
        if (at.offset > 0) {
            const char c = text[static_cast<std::size_t>(at.offset) - 1];
            if (word && c != '\t' && c != ' ') {
                const DisplayPos to = WordStep(map_.ToDisplay(at, false), false);
                from = map_.ToLogical(to);
            } else {
                from.offset =
                    static_cast<int>(rules.Prev(text, static_cast<std::size_t>(at.offset)));
            }
            n = editor_.Distance(from, at);
        } else if (at.para > 0) {
            int prevEnd = 0;
            const int prevStart = map_.ParaStart(line - 1);
            from = {at.para - 1, static_cast<int>(map_.JoinParagraph(prevStart, prevEnd).size())};
            n = 2;
        }
    }
    if (n == 0)
        return;
    const Replacement r = Change(from, n, "");
    Record(forward ? kUndoDeletedForward : kUndoDeleted, r.removed, from);
    PlaceCaret(from, true);
    ScrollToCaret();
    Changed();
}

// ---- Inserting ----

void TSonEdit::InsertAtCaret(std::string_view text, bool moveCaret, std::uint8_t kind) {
    const DisplayPos clamped = ClampDisplay(caret_, false);
    const LogicalPos at = map_.ToLogical(clamped);
    std::string insert;
    // Beyond the end of the line's text (free caret): fill the gap with blanks.
    if (caret_.x > clamped.x && clamped.x == LineContentLength(clamped.line))
        insert.assign(static_cast<std::size_t>(caret_.x - clamped.x), ' ');
    insert += text;
    const Replacement r = Change(at, 0, insert);
    Record(kind, insert, at);
    PlaceCaret(moveCaret ? r.end : at, moveCaret);
}

void TSonEdit::InsertText(std::string_view text, bool moveCaret, bool box) {
    Sync();
    if (text.empty())
        return;
    try {
        if (box)
            InsertBox(text);
        else
            InsertAtCaret(text, moveCaret, kUndoInserted);
    } catch (const std::exception&) {
        // Each store change is all or nothing, but the journal may now miss one.
        journal_.ClearUndo();
        journal_.ClearRedo();
        journal_.SetHistoryLost(true);
        ClampPositions();
        prompter_.Tell("Error:OC009", platform::Severity::Error);
    }
    ScrollToCaret();
    Changed();
}

void TSonEdit::TypeText(std::string_view text) {
    Sync();
    if (ReadOnly || text.empty())
        return;
    if (HasSelection())
        DeleteSelectionCore(boxSel_);
    if (insertMode_) {
        InsertAtCaret(text, true, kUndoInserted);
    } else {
        // Overwrite as many bytes of the display line as the text is long, widened to
        // whole characters.
        const DisplayPos c = ClampDisplay(caret_, false);
        const std::string_view content = ParagraphMap::Content(lines_[c.line]);
        const CharRules rules = wrap_.Rules();
        std::size_t stop = std::min(content.size(), static_cast<std::size_t>(c.x) + text.size());
        if (stop < content.size() && rules.Snap(content, stop) != stop)
            stop = rules.Next(content, rules.Snap(content, stop));
        const std::size_t n = stop - static_cast<std::size_t>(c.x);
        if (n == 0 || caret_.x > c.x) {
            InsertAtCaret(text, true, kUndoOverTyped);
        } else {
            const LogicalPos at = map_.ToLogical(c);
            const Replacement r = Change(at, n, text);
            Record(kUndoOverwritten, r.removed, at);
            Record(kUndoOverTyped, std::string(text), at);
            PlaceCaret(r.end, true);
        }
    }
    ScrollToCaret();
    Changed();
}

void TSonEdit::ImeResult(std::string_view text) {
    TypeText(text);
}

void TSonEdit::SetSelText(std::string_view text) {
    Sync();
    if (HasSelection())
        DeleteSelectionCore(boxSel_);
    if (!text.empty())
        InsertAtCaret(text, true, kUndoInserted);
    ScrollToCaret();
    Changed();
}

void TSonEdit::ReplaceText(std::string_view text, int x, int y, int x2, int y2) {
    Sync();
    DisplayPos a = anchor_, b = selEnd_;
    if (x >= 0 && y >= 0)
        a = {y, x};
    if (x2 >= 0 && y2 >= 0)
        b = {y2, x2};
    Select(a, b);
    const bool box = boxSel_;
    boxSel_ = false;
    if (HasSelection())
        DeleteSelectionCore(false);
    boxSel_ = box;
    if (!text.empty())
        InsertAtCaret(text, true, kUndoInserted);
    Changed();
}

void TSonEdit::ReplaceLines(std::string_view text, int& first, int& last) {
    Sync();
    const int count = lines_.Count();
    first = std::clamp(first, 0, count - 1);
    last = std::clamp(last, first, count - 1);
    first = map_.ParaStart(first);
    last = map_.ParaEnd(last);
    const LogicalPos a = map_.ToLogical({first, 0});
    const LogicalPos b = last + 1 < count ? map_.ToLogical({last + 1, 0}) : editor_.End();
    const Replacement r = Change(a, editor_.Distance(a, b), text);
    Record(kUndoDeleted, r.removed, a);
    Record(kUndoInserted, std::string(text), a);
    PlaceCaret(a, false);
    // The last line of the inserted text: the line before the end when the text ended
    // with its line break.
    DisplayPos endLine = map_.ToDisplay(r.end, false);
    if (r.end.offset == 0 && r.end.para > a.para)
        endLine = map_.ToDisplay({r.end.para - 1, INT32_MAX}, false);
    last = endLine.line;
    ScrollToCaret();
    Changed();
}

// Rectangular insertion: row n goes into the n-th paragraph from the caret's, under the
// caret's pixel column, with blanks filling short lines and line breaks added past the
// end of the text.
void TSonEdit::InsertBox(std::string_view text) {
    const std::vector<std::string> rows = BoxRows(text);
    const DisplayPos c = ClampDisplay(caret_, freeCaret_);
    const int px = PixelXOf(c);
    const LogicalPos start = map_.ToLogical(ClampDisplay(c, false));
    const int blank = std::max(1, metrics_.TextWidth(" "));
    if (!insertMode_ && !rows.empty()) {
        // Overwrite: first remove what the rows will cover, from the caret's column over
        // the first row's width, as a rectangular deletion (undone after the insertion).
        const int pxEnd = px + wrap_.ExpandedWidth(rows[0]);
        std::vector<BoxPiece> covered;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const int para = start.para + static_cast<int>(i);
            if (para >= map_.ParagraphCount())
                break;
            const int line = map_.FirstLineOfParagraph(para);
            const int x1 = OffsetAtPixel(line, px, false);
            const int x2 = OffsetAtPixel(line, pxEnd, false);
            if (x2 <= x1)
                continue;
            const LogicalPos at = map_.ToLogical({line, x1});
            covered.push_back({at.offset, at.para, editor_.Read(at, x2 - x1)});
        }
        for (auto it = covered.rbegin(); it != covered.rend(); ++it)
            Change({it->y, it->x}, it->text.size(), "");
        Record(kUndoBoxDeleted, BoxPiecesEncode(covered), start);
    }
    std::vector<BoxPiece> done;  // in the order performed
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int para = start.para + static_cast<int>(i);
        if (para >= map_.ParagraphCount()) {
            const LogicalPos end = editor_.End();
            Change(end, 0, "\r\n");
            done.push_back({end.offset, end.para, "\r\n"});
        }
        const int line = map_.FirstLineOfParagraph(para);
        const int len = LineContentLength(line);
        int x = OffsetAtPixel(line, px, false);
        std::string insert;
        if (x >= len) {
            const int width = wrap_.ExpandedWidth(ParagraphMap::Content(lines_[line]));
            if (px > width)
                insert.assign(static_cast<std::size_t>((px - width + blank / 2) / blank), ' ');
            x = len;
        }
        insert += rows[i];
        if (insert.empty())
            continue;
        const LogicalPos at = map_.ToLogical({line, x});
        Change(at, 0, insert);
        done.push_back({at.offset, at.para, insert});
    }
    std::reverse(done.begin(), done.end());  // undone last first
    Record(kUndoBoxInserted, BoxPiecesEncode(done), start);
    PlaceCaret(start, false);
}

// ---- Clipboard ----

void TSonEdit::CopyToClipboard() {
    Sync();
    if (!HasSelection())
        return;
    if (!clipboard_.SetText(GetSelText()))
        prompter_.Tell("Error:OC002", platform::Severity::Error);
}

void TSonEdit::CutToClipboard() {
    Sync();
    if (!HasSelection() || ReadOnly)
        return;
    if (!clipboard_.SetText(GetSelText())) {
        prompter_.Tell("Error:OC002", platform::Severity::Error);
        return;
    }
    DeleteSelection(true, boxSel_);
}

void TSonEdit::PasteFromClipboard() {
    Sync();
    if (ReadOnly || !clipboard_.HasText())
        return;
    std::string text;
    if (!clipboard_.GetText(text) || text.empty())
        return;
    if (HasSelection())
        DeleteSelectionCore(boxSel_);
    if (boxSel_)
        InsertBox(text);
    else
        InsertAtCaret(text, true, kUndoInserted);
    ScrollToCaret();
    Changed();
}

// ---- Undo and redo ----

void TSonEdit::UpdateModified() {
    SetModified(!journal_.UndoList().empty() || journal_.HistoryLost());
}

void TSonEdit::ResetUndo() {
    journal_.ClearUndo();
    journal_.ClearRedo();
    journal_.SetHistoryLost(false);
    modified_ = false;
    redoMode_ = false;
    if (OnChangeModify)
        OnChangeModify(false);
    if (OnChangeRedoMode)
        OnChangeRedoMode(false);
}

// Applies rec to the text; newText receives the text of the moved record (the reversed
// piece list for boxes). False, with nothing changed, when the text no longer holds what
// the record says.
bool TSonEdit::ApplyRecord(const TUndoRecord& rec, bool, std::string& newText) {
    const LogicalPos at{rec.Y, rec.X};
    newText = rec.Text;
    switch (rec.Kind) {
        case kUndoInserted:
        case kUndoInsertedByRedo:
        case kUndoOverTyped: {
            if (editor_.Read(at, rec.Text.size()) != rec.Text)
                return false;
            const Replacement r = Change(at, rec.Text.size(), "");
            PlaceCaret(r.start, true);
            return true;
        }
        case kUndoDeleted:
        case kUndoDeletedForward:
        case kUndoOverwritten: {
            const Replacement r = Change(at, 0, rec.Text);
            PlaceCaret(rec.Kind == kUndoDeleted ? r.end : r.start, rec.Kind == kUndoDeleted);
            return true;
        }
        case kUndoBoxInserted:
        case kUndoBoxDeleted: {
            std::vector<BoxPiece> pieces;
            if (!BoxPiecesDecode(rec.Text, pieces)) {
                prompter_.Tell("Error:OC010_BoxUndo", platform::Severity::Error);
                return false;
            }
            const bool remove = rec.Kind == kUndoBoxInserted;
            if (remove) {
                for (const BoxPiece& p : pieces) {
                    if (editor_.Read({p.y, p.x}, p.text.size()) != p.text)
                        return false;
                }
            }
            for (const BoxPiece& p : pieces)
                Change({p.y, p.x}, remove ? p.text.size() : 0, remove ? "" : p.text);
            std::reverse(pieces.begin(), pieces.end());
            newText = BoxPiecesEncode(pieces);
            PlaceCaret(at, false);
            return true;
        }
        default:
            return false;
    }
}

bool TSonEdit::ApplyHead(bool undo) {
    const auto& list = undo ? journal_.UndoList() : journal_.RedoList();
    if (list.empty())
        return false;
    bool chained = false;
    for (;;) {
        const TUndoRecord rec = list.front();
        std::string newText;
        if (!ApplyRecord(rec, undo, newText)) {
            // The journal no longer matches the text: drop it rather than damage text.
            journal_.ClearUndo();
            journal_.ClearRedo();
            journal_.SetHistoryLost(true);
            prompter_.Tell(undo ? "Error:OC001_2" : "Error:OC001_3", platform::Severity::Error);
            return false;
        }
        if (undo)
            journal_.MoveUndoToRedo(UndoInverseKind(rec.Kind), std::move(newText));
        else
            journal_.MoveRedoToUndo(UndoInverseKind(rec.Kind), std::move(newText));
        // A replacement (deletion and insertion at one place) is one step.
        const bool opens = UndoKindDeletes(rec.Kind) || rec.Kind == kUndoBoxInserted;
        if (chained || !opens || list.empty())
            return true;
        const TUndoRecord& next = list.front();
        if (next.X != rec.X || next.Y != rec.Y ||
            !(next.Kind == kUndoDeleted || next.Kind == kUndoOverwritten ||
              next.Kind == kUndoBoxDeleted))
            return true;
        chained = true;
    }
}

void TSonEdit::Undo() {
    Sync();
    if (undoBuf_ == 0 || journal_.UndoList().empty())
        return;
    if (ApplyHead(true))
        SetRedoMode(true);
    UpdateModified();
    ScrollToCaret();
    Changed();
}

void TSonEdit::Redo() {
    Sync();
    if (journal_.RedoList().empty())
        return;
    ApplyHead(false);
    if (journal_.RedoList().empty())
        SetRedoMode(false);
    UpdateModified();
    ScrollToCaret();
    Changed();
}

}  // namespace varnel::editor
