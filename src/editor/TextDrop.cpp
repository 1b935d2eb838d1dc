// Dropping text on the editor: move, copy or insert, with the drop point adjusted for
// the deletion that a move makes before it inserts.
#include "editor/TextDrop.h"

#include "editor/SonEdit.h"

namespace varnel::editor {

LogicalPos PositionAfterRemoval(LogicalPos p, LogicalPos begin, LogicalPos end) {
    if (p <= begin)
        return p;
    if (p < end)
        return begin;
    if (p.para == end.para)
        return {begin.para, begin.offset + (p.offset - end.offset)};
    return {p.para - (end.para - begin.para), p.offset};
}

namespace {

LogicalPos ToLogical(TSonEdit& editor, int x, int line) {
    editor.DisplayToLogical(x, line);
    return {line, x};
}

}  // namespace

bool DropText(TSonEdit& editor, std::string_view text, DisplayPos at, bool fromSelf, bool ctrl) {
    if (editor.ReadOnly || text.empty())
        return false;
    LogicalPos drop = ToLogical(editor, at.x, at.line);
    if (fromSelf && editor.HasSelection()) {
        int x1 = 0, y1 = 0, y2 = 0, x2 = 0;
        editor.GetSelRange(x1, y1, y2, x2);
        const LogicalPos begin = ToLogical(editor, x1, y1);
        const LogicalPos end = ToLogical(editor, x2, y2);
        if (begin <= drop && drop <= end)
            return false;
        if (!ctrl) {
            editor.DeleteSelection();
            drop = PositionAfterRemoval(drop, begin, end);
        }
    }
    int x = drop.offset;
    int y = drop.para;
    editor.LogicalToDisplay(x, y);
    editor.MoveCaretTo(x, y);
    editor.InsertText(text, true);
    return true;
}

std::string JoinDroppedFiles(const std::vector<std::string>& paths) {
    std::string joined;
    for (const std::string& p : paths) {
        if (!joined.empty())
            joined += '|';
        joined += p;
    }
    return joined;
}

}  // namespace varnel::editor
