// The drawing surface the editor's paint plan is replayed on. Colours are 0x00BBGGRR;
// text is CP932 (or single-byte Western text in single-byte mode), laid out by the
// platform in the editor's font.
#pragma once

#include <cstdint>
#include <string_view>

namespace varnel::platform {

class Canvas {
  public:
    virtual ~Canvas() = default;
    virtual void FillRect(int x, int y, int width, int height, std::uint32_t colour) = 0;
    // Text whose cell box starts at (x, y), the top of the line.
    virtual void DrawText(int x, int y, std::string_view text, std::uint32_t colour,
                          bool underline) = 0;
    // Small ASCII digits of the ruler band, top-left at (x, y).
    virtual void DrawRulerText(int x, int y, std::string_view ascii, std::uint32_t colour) = 0;
    // A one-pixel line with both end points drawn.
    virtual void DrawLine(int x1, int y1, int x2, int y2, std::uint32_t colour) = 0;
    // The outline of a rectangle in one-pixel dots and gaps.
    virtual void DrawDottedRect(int x, int y, int width, int height, std::uint32_t colour) = 0;
    // Later drawing is limited to the rectangle until the clip is reset.
    virtual void SetClip(int x, int y, int width, int height) = 0;
    virtual void ResetClip() = 0;
};

}  // namespace varnel::platform
