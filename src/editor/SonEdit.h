// The editor engine without a screen: line store, wrapping, undo journal, caret and
// selections, editing commands, search and scroll state. A widget adapts it: it forwards
// keys, characters, mouse positions and the client size, and paints from the state
// exposed here. Text is CP932 bytes; positions are display positions (line, byte) unless
// a name says paragraph or logical.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "editor/KeyCodes.h"
#include "editor/PaintProperties.h"
#include "editor/ParagraphMap.h"
#include "editor/Positions.h"
#include "editor/SonStrings.h"
#include "editor/StoreEditor.h"
#include "editor/UndoJournal.h"
#include "editor/WrapEngine.h"
#include "platform/Clipboard.h"
#include "platform/Prompter.h"
#include "platform/TextMetrics.h"

namespace varnel::editor {

enum class LineSpaceUnit { uPercent, uPixel };
enum class ScrollMode { Follow = 0, Centre = 1, Hit = 2 };

// The published look (colours, marks, ruler, colour rules) is part of the control.
class TSonEdit : public PaintProperties {
  public:
    TSonEdit(const platform::TextMetrics& metrics, platform::Clipboard& clipboard,
             platform::Prompter& prompter);
    virtual ~TSonEdit() = default;
    TSonEdit(const TSonEdit&) = delete;
    TSonEdit& operator=(const TSonEdit&) = delete;

    // ---- Text ----
    // The line store, wrapped in full. Writes made here bypass the journal: the editor
    // notices them, empties both journals and restores the line encoding before its next
    // command.
    TSonStrings& Lines() {
        FinishWrap();
        return lines_;
    }
    // The wait for the wrap is no change of the text: a caller holding the editor const
    // still gets the lines wrapped in full.
    const TSonStrings& Lines() const {
        const_cast<TSonEdit*>(this)->FinishWrap();
        return lines_;
    }
    // The store as it stands, for painting and the scroll bar: with a wrap pending,
    // only the lines before WrappedCount() are display lines (a paragraph each after).
    const TSonStrings& LinesSoFar() const { return lines_; }
    // The text as saved (CR LF line ends, no end-of-text NUL).
    std::string Text() const { return lines_.GetFileText(); }
    // False on failure (the text stays as it was).
    bool LoadFile(const std::string& path);
    bool SaveFile(const std::string& path);
    // As SaveFile; on failure error says why.
    bool SaveFile(const std::string& path, std::string& error);
    void NewText();
    // Replaces the whole text as a load does (journals reset, not modified).
    void SetText(std::string_view text);
    // The same for the text made of lines (no line ends inside), each followed by CR LF,
    // the last one only when finalLineEnd is set. The lines are moved into the store.
    void SetLines(std::vector<std::string>&& lines, bool finalLineEnd);

    // ---- Properties ----
    bool ReadOnly = false;
    bool UndoRec = true;
    bool CaretScrollFix = false;
    bool CurSetMode = true;
    int ScrollStep = 2;
    int WheelStep = 2;
    bool AutoIndent = false;
    bool WantTabs = true;
    bool BoxColumFix = false;

    bool Modified() const { return modified_; }
    void SetModified(bool on);
    bool RedoMode() const { return redoMode_; }
    int UndoBuf() const { return undoBuf_; }
    void SetUndoBuf(int bytes);
    bool InsertMode() const { return insertMode_; }
    void SetInsertMode(bool on);

    bool WordWrap() const { return wrapping_; }
    void SetWordWrap(bool on) { SetWrap(on, true); }
    void SetWrap(bool on, bool repaint);
    int Column() const { return wrap_.settings.column; }
    void SetColumn(int n);
    bool AutoWrap() const { return wrap_.settings.autoWrap; }
    void SetAutoWrap(bool on);
    int TabCount() const { return wrap_.settings.tabCount; }
    void SetTabCount(int n);
    bool SingleByteMode() const { return wrap_.settings.singleByte; }
    void SetSingleByteMode(bool on);
    bool FreeCaretMode() const { return freeCaret_; }
    void SetFreeCaretMode(bool on);
    bool BoxSelMode() const { return boxSel_; }
    void SetBoxSelMode(bool on);
    int TopMargin() const { return topMargin_; }
    void SetTopMargin(int px);
    int LeftMargin() const { return leftMargin_; }
    void SetLeftMargin(int px);
    int LineSpace() const { return lineSpace_; }
    void SetLineSpace(int n);
    LineSpaceUnit LineSpaceUnitValue() const { return lineSpaceUnit_; }
    void SetLineSpaceUnit(LineSpaceUnit unit);
    int VertScrollLimit() const { return vertScrollLimit_; }
    void SetVertScrollLimit(int percent);
    bool ShowLineNumber() const { return showLineNumber_; }
    void SetShowLineNumber(bool on);
    int LineNoColumn() const { return lineNoColumn_; }
    void SetLineNoColumn(int digits);

    // ---- Geometry ----
    void SetClientSize(int width, int height);
    int CellWidth() const { return wrap_.CellWidth(); }
    int CharHeight() const;
    int LinePitch() const;
    int TextLeft() const;
    int TextAreaWidth() const;
    int TextAreaHeight() const;
    int VisibleLines() const;
    int VisibleColumns() const;
    // Widest column the caret may take in free caret mode.
    int MaxColumn() const;

    // ---- Wrapping and positions ----
    int WrapPosition(std::string_view line) const;
    int ParaStart(int line) const { return map_.ParaStart(line); }
    int ParaEnd(int line) const { return map_.ParaEnd(line); }
    void ClampLine(int& line, int& paraEnd) const;
    std::string GetParagraphText(int line) const { return map_.GetParagraphText(line); }
    int JoinParagraph(int start, int& end, std::string& text) const;
    void LogicalToDisplay(int& x, int& y);
    void DisplayToLogical(int& x, int& y);
    std::string ExpandTabs(std::string_view text) const { return wrap_.ExpandTabs(text); }
    void Rewrap();

    // ---- Wrapping in idle time ----
    // When set, SetLines wraps only the lines of the first page; the rest waits for
    // WrapSome (the widget calls it when idle), for a page painted further down
    // (WrapThrough), or for the first command that needs display lines beyond, which
    // finishes the wrap first. The text, and every result, is the same either way.
    bool DeferWrap = false;
    bool WrapPending() const { return wrapFrom_ >= 0; }
    // Display lines before this one are final (Count() when no wrap is pending).
    int WrappedCount() const { return wrapFrom_ >= 0 ? wrapFrom_ : lines_.Count(); }
    // Wraps up to paragraphs more of the lines waiting; returns whether some still wait.
    bool WrapSome(int paragraphs);
    // Wraps the waiting lines until display line line is final.
    void WrapThrough(int line);
    void FinishWrap() {
        if (wrapFrom_ >= 0)
            WrapSome(lines_.Count());
    }

    // ---- Caret and selection (display positions) ----
    int CaretX() const { return caret_.x; }
    int CaretY() const { return caret_.line; }
    DisplayPos Caret() const { return caret_; }
    DisplayPos Anchor() const { return anchor_; }
    DisplayPos SelEnd() const { return selEnd_; }
    int CaretPixelX() const;  // inside the text area, after horizontal scrolling
    bool HasSelection() const;
    int SelLength();
    std::string GetSelText();
    // Ordered bounds; an end at x 0 of a later line moves back to the end of the line
    // before. Returns whether a selection exists (else the caret twice).
    bool GetSelRange(int& x1, int& y1, int& y2, int& x2);
    // Bytes [x1, x2) of line that are selected (normal or box); false when none.
    bool SelectionOnLine(int line, int& x1, int& x2);
    void SelectAll();
    void SelectChars(int n);
    // Selects from anchor to end (clamped onto characters); the caret goes to end.
    void Select(DisplayPos anchor, DisplayPos end);
    bool MoveCaretTo(int x, int y, ScrollMode mode = ScrollMode::Follow);
    void CaretToTop();
    void Deselect();

    // ---- Editing ----
    void TypeText(std::string_view text);
    void InsertText(std::string_view text, bool moveCaret, bool box = false);
    void DeleteSelection(bool repaint = true, bool box = false);
    void SetSelText(std::string_view text);
    void ClearSelection() { DeleteSelection(true, boxSel_); }
    void ReplaceText(std::string_view text, int x, int y, int x2, int y2);
    void ReplaceLines(std::string_view text, int& first, int& last);
    void CopyToClipboard();
    void CutToClipboard();
    virtual void PasteFromClipboard();

    // ---- Undo ----
    // x = y = -1 means the start of the selection. False when the text is larger than
    // UndoBuf (nothing is then recorded and the journals are emptied).
    bool AddUndo(std::uint8_t kind, std::string_view text, int y, int x);
    void Undo();
    void Redo();
    void ClearUndo() { journal_.ClearUndo(); }
    void ClearRedo() { journal_.ClearRedo(); }
    void ResetUndo();
    const UndoJournal& Journal() const { return journal_; }

    // ---- Input ----
    // Handles a key; returns whether the editor used it.
    virtual bool KeyDown(std::uint16_t key, std::uint8_t shift);
    // A character message (one byte; a lead byte waits for its trail byte).
    virtual void KeyPress(unsigned char ch, std::uint8_t shift = kShiftNone);
    // The input method's committed string, CP932.
    void ImeResult(std::string_view text);
    // Display position of the character under a client point.
    DisplayPos PointToPosition(int px, int py);
    void MouseDown(int px, int py, std::uint8_t shift);
    void MouseMove(int px, int py);
    virtual void MouseUp(int px, int py);
    // One step of scrolling while the button is held outside the text area.
    void DragScrollTick(int px, int py);

    // ---- Scrolling ----
    int TopLine() const { return topLine_; }
    void SetTopLine(int line);
    // Scrolls the view horizontally (the horizontal scroll bar); the caret stays.
    void SetHorzOffset(int px);
    int HorzOffset() const { return horzOffset_; }
    int ScrollMargin() const;
    // Brings the caret into view; returns whether the view moved.
    bool ScrollToCaret(ScrollMode mode = ScrollMode::Follow);
    // Moves the view by lines (the caret keeps its pixel column).
    void ScrollLines(int delta, bool fromKey = false);
    void Wheel(int delta);

    // ---- Search ----
    void FindStart(std::string_view text);
    bool FindNext();
    bool FindPrev();
    // Replace run from the caret to the end: every match is offered to OnFindChange.
    int FindChange(std::string_view findText, std::string_view changeText);
    void ClearHit();
    // The current hit (display position and length); false when none.
    bool Hit(DisplayPos& at, int& len) const;
    std::uint32_t HitColor = 0x00FFFF;
    void SetHitColor(std::uint32_t colour);

    // ---- Events ----
    std::function<void()> OnChange;
    std::function<void()> OnSelectionChange;
    std::function<void()> OnMoveCaret;
    std::function<void(bool)> OnChangeModify;
    std::function<void(bool)> OnChangeRedoMode;
    std::function<void(bool)> OnChangeInsMode;
    // Asks the owner for the first match of findchr in str (1-based x, 0 for none).
    std::function<void(const std::string& str, const std::string& findchr, int index, int& x,
                       int& len)>
        OnFind;
    std::function<void(const std::string& findchr, int x, int y, int len, int count)> OnFindHit;
    std::function<void(const std::string& findchr)> OnFindNoHit;
    std::function<void(const std::string& findchr, const std::string& changechr, int x, int y,
                       int len, int count, bool& changeF, bool& kakuninF, bool& abortF)>
        OnFindChange;
    std::function<void(const std::string& findchr, const std::string& changeStr, int count)>
        OnFindChangeEnd;
    // Lines from..to need repainting (-1, -1: the whole control).
    std::function<void(int from, int to)> OnInvalidate;

  protected:
    // Brings the store back to its encoding after writes from outside.
    void Sync();

  private:
    // Text changes, all journalled.
    LogicalPos LogicalCaret();
    Replacement Change(LogicalPos at, std::size_t n, std::string_view text);
    void Record(std::uint8_t kind, std::string text, LogicalPos at);
    LogicalPos DeleteSelectionCore(bool box);
    void InsertAtCaret(std::string_view text, bool moveCaret, std::uint8_t kind);
    void InsertBox(std::string_view text);
    void DeleteChar(bool forward, bool word);
    void Changed();
    void PlaceCaret(LogicalPos at, bool nextAtBreak);
    bool ApplyHead(bool undo);
    bool ApplyRecord(const TUndoRecord& rec, bool undo, std::string& newText);
    void UpdateModified();
    void SetRedoMode(bool on);
    void OnStoreChanged(int first, int removed, int inserted);
    void Rewrap(bool repaint);
    // After a full wrap: the store holds the text wrapped with the current key.
    void NoteWrapped();
    void ResetAfterLoad();
    void Invalidate(int from, int to);
    void ClampPositions();

    // Caret geometry and movement.
    DisplayPos ClampDisplay(DisplayPos p, bool allowFree) const;
    int LineContentLength(int line) const;
    int PixelXOf(DisplayPos p) const;
    // The horizontal offset a scroll to the caret gives it.
    int OffsetShowingCaret() const;
    int OffsetAtPixel(int line, int px, bool allowFree) const;
    void MoveCaret(DisplayPos to, bool extend, bool keepColumn = false);
    void MoveCaretVertically(int lines, bool extend);
    DisplayPos WordStep(DisplayPos from, bool forward);
    bool BoxRange(int line, int& x1, int& x2);

    // Search.
    bool SearchForward(bool replaceRun);
    // Fills window (its capacity kept from one paragraph to the next).
    void SearchWindow(int line, int x, int lastLine, std::size_t extra, std::string& window) const;
    DisplayPos WindowPosition(int line, int x, int offset) const;

    const platform::TextMetrics& metrics_;
    platform::Clipboard& clipboard_;
    platform::Prompter& prompter_;

    TSonStrings lines_;
    ParagraphMap map_{lines_};
    WrapEngine wrap_;
    StoreEditor editor_{lines_, map_, wrap_};
    UndoJournal journal_;

    bool wrapping_ = true;
    // First line still to be wrapped: from here on every line is one whole paragraph as
    // loaded. -1 when the store is wrapped in full.
    int wrapFrom_ = -1;
    // What the last full wrap used, while no line has changed since; a rewrap with
    // the same key would give the same lines.
    std::optional<WrapEngine::Key> wrappedWith_;
    bool modified_ = false;
    bool redoMode_ = false;
    int undoBuf_ = 1015808;
    bool insertMode_ = true;
    bool freeCaret_ = false;
    bool boxSel_ = false;
    int topMargin_ = 4;
    int leftMargin_ = 10;
    int lineSpace_ = 10;
    LineSpaceUnit lineSpaceUnit_ = LineSpaceUnit::uPercent;
    int vertScrollLimit_ = 20;
    bool showLineNumber_ = false;
    int lineNoColumn_ = 5;
    int clientWidth_ = 185;
    int clientHeight_ = 89;

    DisplayPos caret_;
    DisplayPos anchor_;
    DisplayPos selEnd_;
    bool selecting_ = false;
    bool allSelected_ = false;
    int columnPx_ = -1;  // remembered pixel column for vertical moves
    int topLine_ = 0;
    int horzOffset_ = 0;
    int scrollRun_ = 0;
    bool dragging_ = false;
    unsigned char pendingLead_ = 0;

    // Set while the editor itself writes to the store.
    int internalWrites_ = 0;
    bool outsideWrites_ = false;

    // Search state.
    std::string findText_;
    bool hitShown_ = false;
    DisplayPos hitAt_;
    int hitLen_ = 0;
    int hitCount_ = 0;
    bool freshSearch_ = true;
    LogicalPos resumeAt_;
};

}  // namespace varnel::editor
