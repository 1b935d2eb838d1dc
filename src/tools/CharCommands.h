// The character conversion and line-cut commands, carried out on the editor as its own
// undoable edits. Every command does nothing while the editor is read-only.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "editor/SonEdit.h"
#include "platform/PickListView.h"
#include "platform/Prompter.h"

namespace varnel::tools {

// Switches the selection between half-width and full-width, then runs
// checkDependentChars over the text (characters outside JIS X 0208 may remain).
void ZenkakuHankakuCommand(editor::TSonEdit& edit,
                           const std::function<void()>& checkDependentChars);
// Cycles the selection's letter case.
void CaseChangeCommand(editor::TSonEdit& edit);
// Replaces the selection's kanji by the older typefaces of the table file at tablePath;
// an empty path means the file was not found, which is reported.
void OldTypefaceCommand(editor::TSonEdit& edit, const std::string& tablePath,
                        platform::Prompter& prompter);

// Cuts the caret's line with its line end into the clipboard; on the last line, its
// text.
void CutLineCommand(editor::TSonEdit& edit);
// Cuts from the caret to the end of the line's text (the line end stays).
void CutRightCommand(editor::TSonEdit& edit);
// Cuts from the start of the line to the caret.
void CutLeftCommand(editor::TSonEdit& edit);

// The pick list's contents and what a click on it inserts.
class CharPicker {
  public:
    explicit CharPicker(platform::PickListView& view) : view_(view) {}
    // Fills the list and shows it, unless the editor is read-only.
    void Show(const editor::TSonEdit& edit, std::vector<std::string> entries,
              const platform::PickListFont& font);
    // A click on entry index: inserted at the caret; the list hides unless ctrl is held.
    void Click(editor::TSonEdit& edit, int index, bool shift, bool ctrl);
    void Hide() { view_.Hide(); }
    const std::vector<std::string>& Entries() const { return entries_; }

  private:
    platform::PickListView& view_;
    std::vector<std::string> entries_;
    bool singleByte_ = false;
};

}  // namespace varnel::tools
