// The undo and redo journals.
#include "editor/UndoJournal.h"

#include <charconv>

namespace varnel::editor {

std::uint8_t UndoInverseKind(std::uint8_t kind) {
    switch (kind) {
        case kUndoInserted:
            return kUndoDeleted;
        case kUndoInsertedByRedo:
            return kUndoDeletedForward;
        case kUndoDeleted:
            return kUndoInserted;
        case kUndoDeletedForward:
            return kUndoInsertedByRedo;
        case kUndoOverwritten:
            return kUndoOverTyped;
        case kUndoOverTyped:
            return kUndoOverwritten;
        case kUndoBoxInserted:
            return kUndoBoxDeleted;
        case kUndoBoxDeleted:
            return kUndoBoxInserted;
        default:
            return kind;
    }
}

bool UndoKindDeletes(std::uint8_t kind) {
    return kind == kUndoInserted || kind == kUndoInsertedByRedo || kind == kUndoOverTyped;
}

std::string BoxPiecesEncode(const std::vector<BoxPiece>& pieces) {
    std::string out;
    for (const BoxPiece& p : pieces) {
        out += std::to_string(p.x);
        out += ',';
        out += std::to_string(p.y);
        out += ',';
        out += std::to_string(p.text.size());
        out += ',';
        out += p.text;
    }
    return out;
}

namespace {
bool ReadNumber(std::string_view& text, long long& value) {
    const auto comma = text.find(',');
    if (comma == std::string_view::npos || comma == 0)
        return false;
    const char* first = text.data();
    const auto [end, ec] = std::from_chars(first, first + comma, value);
    if (ec != std::errc() || end != first + comma)
        return false;
    text.remove_prefix(comma + 1);
    return true;
}
}  // namespace

bool BoxPiecesDecode(std::string_view text, std::vector<BoxPiece>& pieces) {
    pieces.clear();
    while (!text.empty()) {
        long long x = 0, y = 0, n = 0;
        if (!ReadNumber(text, x) || !ReadNumber(text, y) || !ReadNumber(text, n))
            return false;
        if (x < 0 || y < 0 || n < 0 || x > INT32_MAX || y > INT32_MAX ||
            static_cast<unsigned long long>(n) > text.size())
            return false;
        pieces.push_back({static_cast<int>(x), static_cast<int>(y),
                          std::string(text.substr(0, static_cast<std::size_t>(n)))});
        text.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool UndoJournal::Add(TUndoRecord record, std::size_t limit) {
    const std::size_t len = record.Text.size();
    if (len > limit) {
        // Older records would now replay against the wrong text.
        historyLost_ = true;
        ClearUndo();
        ClearRedo();
        return false;
    }
    while (undoSize_ + len > limit && !undo_.empty()) {
        undoSize_ -= undo_.back().Text.size();
        undo_.pop_back();
        historyLost_ = true;
    }
    undoSize_ += len;
    undo_.push_front(std::move(record));
    return true;
}

void UndoJournal::MoveUndoToRedo(std::uint8_t kind, std::string text) {
    if (undo_.empty())
        return;
    TRedoRecord r = std::move(undo_.front());
    undo_.pop_front();
    undoSize_ -= r.Text.size();
    r.Kind = kind;
    r.Text = std::move(text);
    redoSize_ += r.Text.size();
    redo_.push_front(std::move(r));
}

void UndoJournal::MoveRedoToUndo(std::uint8_t kind, std::string text) {
    if (redo_.empty())
        return;
    TUndoRecord r = std::move(redo_.front());
    redo_.pop_front();
    redoSize_ -= r.Text.size();
    r.Kind = kind;
    r.Text = std::move(text);
    undoSize_ += r.Text.size();
    undo_.push_front(std::move(r));
}

void UndoJournal::ClearUndo() {
    undo_.clear();
    undoSize_ = 0;
}

void UndoJournal::ClearRedo() {
    redo_.clear();
    redoSize_ = 0;
}

}  // namespace varnel::editor
