// The one way the editor changes its text: replace a run of document bytes, given in
// paragraph terms, and re-cut the touched paragraphs into display lines.
//
// Document bytes are the text as saved: paragraph texts joined by CR LF, without the
// end-of-text NUL. A replacement is computed in full first and then written to the
// store in a single splice, so a failure leaves the store untouched.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "editor/ParagraphMap.h"
#include "editor/Positions.h"
#include "editor/SonStrings.h"
#include "editor/WrapEngine.h"

namespace varnel::editor {

struct Replacement {
    LogicalPos start;     // where the new text begins
    LogicalPos end;       // just after the new text
    std::string removed;  // the bytes taken out
    int firstLine = 0;    // first display line rewritten
    int oldLines = 0;     // display lines replaced
    int newLines = 0;     // display lines written in their place
};

class StoreEditor {
  public:
    StoreEditor(TSonStrings& lines, ParagraphMap& map, const WrapEngine& wrap)
        : lines_(lines), map_(map), wrap_(wrap) {}

    // Whether paragraphs are cut into display lines.
    bool wrapping = false;

    // A valid position: an offset past its paragraph's text (as journals may hold after
    // line breaks moved) is carried into the following paragraphs; the result lies
    // within the text. Journals replay at exact bytes, so this does not move onto a
    // character start: a lone lead byte may have paired with text inserted after it.
    LogicalPos Normalize(LogicalPos pos);
    // Normalize, then back onto the start of the character that holds the position.
    LogicalPos SnapToChar(LogicalPos pos);
    // Up to n document bytes from pos.
    std::string Read(LogicalPos pos, std::size_t n);
    // Position n document bytes after pos (clamped to the end of the text).
    LogicalPos Advance(LogicalPos pos, std::size_t n);
    // Document bytes from a to b (0 when b is not after a).
    std::size_t Distance(LogicalPos a, LogicalPos b);
    // The end of the text.
    LogicalPos End();

    // Replaces n document bytes from pos by text.
    Replacement Replace(LogicalPos pos, std::size_t n, std::string_view text);

  private:
    TSonStrings& lines_;
    ParagraphMap& map_;
    const WrapEngine& wrap_;
};

}  // namespace varnel::editor
