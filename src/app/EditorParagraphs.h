// Paragraph-level access to the editor text for the window's text commands: read a
// range of paragraphs and replace it as one undoable edit.
#pragma once

#include <string>
#include <vector>

#include "editor/SonEdit.h"

namespace varnel::app {

// The paragraphs of the editor text (without line ends). The end-of-text paragraph is
// the last one; it is empty when the text ends with a line end.
std::vector<std::string> EditorParagraphs(const editor::TSonEdit& e);

// The paragraph index of display line line.
int ParagraphOfLine(const editor::TSonEdit& e, int line);

// The first display line of paragraph para.
int FirstLineOfParagraph(const editor::TSonEdit& e, int para);

// Replaces paragraphs [first, last] by lines (one paragraph each) in one undoable edit.
// The end-of-text paragraph keeps its place: replacing it adds no line end after the
// last line.
void ReplaceParagraphs(editor::TSonEdit& e, int first, int last,
                       const std::vector<std::string>& lines);

// Makes the editor text the given paragraphs (without line ends), replacing only the
// range that differs, as one undoable edit. False when they are the text already.
bool ReplaceChangedParagraphs(editor::TSonEdit& e, const std::vector<std::string>& paragraphs);

}  // namespace varnel::app
