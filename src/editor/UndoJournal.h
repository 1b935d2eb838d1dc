// The undo and redo journals: records of changed text in paragraph terms, bounded by
// the number of text bytes they hold.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace varnel::editor {

// What a record undoes; applying a record turns it into its inverse kind.
enum UndoKind : std::uint8_t {
    kUndoInserted = 0,        // text was inserted: delete it
    kUndoInsertedByRedo = 1,  // inverse of kUndoDeletedForward: delete it
    kUndoDeleted = 2,         // text was deleted (selection, Backspace, cut): insert it
    kUndoDeletedForward = 3,  // deleted by the Delete key: insert it, caret stays
    kUndoOverwritten = 4,     // characters overwritten: put them back
    kUndoOverTyped = 5,       // text typed in overwrite mode: delete it
    kUndoBoxInserted = 6,     // rectangular insertion (piece list): delete every piece
    kUndoBoxDeleted = 8,      // rectangular deletion (piece list): insert every piece
};

// The kind a record takes when it moves to the other journal.
std::uint8_t UndoInverseKind(std::uint8_t kind);
// Kinds that delete Text when applied.
bool UndoKindDeletes(std::uint8_t kind);

struct TUndoRecord {
    std::uint8_t Kind = kUndoInserted;
    int X = 0;  // byte offset within the paragraph
    int Y = 0;  // paragraph index
    std::string Text;
};
using TRedoRecord = TUndoRecord;

// One item of a rectangular record: n bytes of text at (x, y), paragraph terms.
struct BoxPiece {
    int x = 0;
    int y = 0;
    std::string text;
    bool operator==(const BoxPiece&) const = default;
};
// Items written as "x,y,n," followed by exactly n bytes, one after the other.
std::string BoxPiecesEncode(const std::vector<BoxPiece>& pieces);
// False for a malformed list (pieces then holds the items read before the fault).
bool BoxPiecesDecode(std::string_view text, std::vector<BoxPiece>& pieces);

class UndoJournal {
  public:
    // Newest first.
    const std::deque<TUndoRecord>& UndoList() const { return undo_; }
    const std::deque<TRedoRecord>& RedoList() const { return redo_; }
    std::size_t UndoSize() const { return undoSize_; }
    std::size_t RedoSize() const { return redoSize_; }
    bool HistoryLost() const { return historyLost_; }
    void SetHistoryLost(bool lost) { historyLost_ = lost; }

    // Puts record at the head of the undo journal, dropping the oldest records while
    // the journal would hold more than limit bytes. A record larger than limit is not
    // written; the journal is then emptied, since it could no longer be replayed.
    // Either loss sets history lost. Returns whether the record was written.
    bool Add(TUndoRecord record, std::size_t limit);

    // Removes the head of the undo (redo) journal and puts it, as kind and with text,
    // at the head of the other journal.
    void MoveUndoToRedo(std::uint8_t kind, std::string text);
    void MoveRedoToUndo(std::uint8_t kind, std::string text);

    void ClearUndo();
    void ClearRedo();

  private:
    std::deque<TUndoRecord> undo_;
    std::deque<TRedoRecord> redo_;
    std::size_t undoSize_ = 0;
    std::size_t redoSize_ = 0;
    bool historyLost_ = false;
};

}  // namespace varnel::editor
