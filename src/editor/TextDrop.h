// Text dropped on the editor and the end of a drag that started in it: where the
// text goes, when a move deletes its source, and the file list of a file drop.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "editor/Positions.h"

namespace varnel::editor {

class TSonEdit;

// Where the logical position p ends up once the text [begin, end) is removed (a
// point inside the removed text goes to its start).
LogicalPos PositionAfterRemoval(LogicalPos p, LogicalPos begin, LogicalPos end);

// Drops text at the display position at. From the same control (fromSelf) with a
// selection: a drop onto the selection itself changes nothing; without Ctrl the
// selection is moved (deleted, then inserted at the drop point as it stands after the
// deletion); with Ctrl it is copied. Text from elsewhere is inserted. Both steps are
// ordinary journalled edits. Returns whether the text changed.
bool DropText(TSonEdit& editor, std::string_view text, DisplayPos at, bool fromSelf, bool ctrl);

// After a drag of the selection to another place: the source text is deleted only
// when the drop completed as a move somewhere else (a move onto this same control was
// already done by its drop). A cancelled drag or a copy keeps the text, and the
// clipboard is never touched.
inline bool DragEndDeletesSource(bool completedAsMove, bool droppedOnSelf) {
    return completedAsMove && !droppedOnSelf;
}

// The names of dropped files joined with "|" (no separator after the last).
std::string JoinDroppedFiles(const std::vector<std::string>& paths);

}  // namespace varnel::editor
