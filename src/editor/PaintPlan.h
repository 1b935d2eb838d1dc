// The editor's painting as a plan: a list of drawing operations for one page of the
// view, built from the line store, the view geometry, the selection and the look,
// without touching any window. The platform replays the plan on its canvas.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "editor/PaintProperties.h"
#include "editor/SonStrings.h"
#include "platform/Canvas.h"
#include "platform/TextMetrics.h"

namespace varnel::editor {

struct PaintOp {
    enum class Kind : std::uint8_t { Fill, Text, RulerText, Line, DottedRect, Clip, ResetClip };
    Kind kind = Kind::Fill;
    int x = 0;
    int y = 0;
    int w = 0;  // width; for a line the end point's x
    int h = 0;  // height; for a line the end point's y
    TColor colour = 0;
    bool underline = false;
    std::string text;
};

struct PaintPlan {
    std::vector<PaintOp> ops;
    bool singleByte = false;  // text is single-byte Western text, not CP932

    void Replay(platform::Canvas& canvas) const;
};

// What the engine knows about the view. Pixels are client coordinates.
struct PaintView {
    int clientWidth = 0;
    int clientHeight = 0;
    int topMargin = 4;  // already raised for the ruler
    int leftMargin = 10;
    int textLeft = 10;  // left margin plus the line-number area
    int charHeight = 16;
    int linePitch = 18;
    int cellWidth = 8;
    int topLine = 0;
    int horzOffset = 0;
    int tabCount = 6;
    bool singleByte = false;
    bool wordWrap = true;
    int column = 72;
    bool showLineNumber = false;
    // The caret's line and its x in client pixels; the underline is drawn only while
    // nothing is selected and no mouse drag runs.
    int caretLine = 0;
    int caretX = 0;
    bool caretUnderline = false;
    // The search hit to highlight, when hitLength > 0.
    int hitLine = -1;
    int hitX = 0;
    int hitLength = 0;
    TColor hitColour = colours::clYellow;
};

// Selected bytes [x1, x2) of a display line; false when the line has none. An x2 past
// the line's text means that its line end is selected too.
using SelectionOfLine = std::function<bool(int line, int& x1, int& x2)>;

// Paragraphs longer than this many display lines above the view are scanned for links
// only from that far above, so that a page of a huge unbroken text stays cheap.
inline constexpr int kLinkLookBackLines = 200;

PaintPlan BuildPaintPlan(const TSonStrings& lines, const PaintView& view,
                         const PaintProperties& look, const platform::TextMetrics& metrics,
                         const SelectionOfLine& selection);

}  // namespace varnel::editor
