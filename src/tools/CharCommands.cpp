// Character commands over the editor's selection and caret line.
#include "tools/CharCommands.h"

#include "editor/ParagraphMap.h"
#include "tools/CharConversions.h"
#include "tools/SideFiles.h"

namespace varnel::tools {
namespace {

// Replaces the selection by convert(selection); an empty selection stays empty.
void ConvertSelection(editor::TSonEdit& edit,
                      const std::function<std::string(std::string_view)>& convert) {
    if (!edit.HasSelection())
        return;
    const std::string before = edit.GetSelText();
    const std::string after = convert(before);
    if (after != before)
        edit.SetSelText(after);
}

int ContentLength(const editor::TSonEdit& edit, int line) {
    return static_cast<int>(editor::ParagraphMap::Content(edit.Lines()[line]).size());
}

}  // namespace

void ZenkakuHankakuCommand(editor::TSonEdit& edit,
                           const std::function<void()>& checkDependentChars) {
    if (edit.ReadOnly)
        return;
    ConvertSelection(edit, SwitchWidth);
    if (checkDependentChars)
        checkDependentChars();
}

void CaseChangeCommand(editor::TSonEdit& edit) {
    if (!edit.ReadOnly)
        ConvertSelection(edit, CycleCase);
}

void OldTypefaceCommand(editor::TSonEdit& edit, const std::string& tablePath,
                        platform::Prompter& prompter) {
    if (edit.ReadOnly)
        return;
    std::vector<std::string> table;
    std::string error;
    if (tablePath.empty() || !ReadTextLines(tablePath, table, error)) {
        prompter.Tell("No \"vnlkanji.txt\" found.", platform::Severity::Warning);
        return;
    }
    ConvertSelection(edit, [&table](std::string_view s) { return OldTypeface(s, table); });
}

void CutLineCommand(editor::TSonEdit& edit) {
    if (edit.ReadOnly)
        return;
    const int line = edit.CaretY();
    // Up to the start of the next line takes the line end (or, for a wrapped piece, just
    // the piece); the last line has no line end, and its text is what is cut.
    const editor::DisplayPos end = line + 1 < edit.Lines().Count()
                                       ? editor::DisplayPos{line + 1, 0}
                                       : editor::DisplayPos{line, ContentLength(edit, line)};
    edit.Select({line, 0}, end);
    if (edit.HasSelection())
        edit.CutToClipboard();
    else
        edit.MoveCaretTo(0, line);
}

void CutRightCommand(editor::TSonEdit& edit) {
    if (edit.ReadOnly)
        return;
    const int line = edit.CaretY();
    edit.Select(edit.Caret(), {line, ContentLength(edit, line)});
    if (edit.HasSelection())
        edit.CutToClipboard();
}

void CutLeftCommand(editor::TSonEdit& edit) {
    if (edit.ReadOnly)
        return;
    const editor::DisplayPos caret = edit.Caret();
    edit.Select({caret.line, 0}, caret);
    if (edit.HasSelection())
        edit.CutToClipboard();
}

void CharPicker::Show(const editor::TSonEdit& edit, std::vector<std::string> entries,
                      const platform::PickListFont& font) {
    if (edit.ReadOnly)
        return;
    entries_ = std::move(entries);
    singleByte_ = font.western;
    view_.ShowEntries(entries_, font);
}

void CharPicker::Click(editor::TSonEdit& edit, int index, bool shift, bool ctrl) {
    if (edit.ReadOnly || index < 0 || entries_.empty())
        return;
    const std::string text =
        PickedText(entries_, static_cast<std::size_t>(index), shift, singleByte_);
    if (!text.empty())
        edit.SetSelText(text);
    if (!ctrl)
        view_.Hide();
}

}  // namespace varnel::tools
