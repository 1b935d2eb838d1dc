// Measuring CP932 text in the editor's font; the editor's only view of fonts.
#pragma once

#include <string_view>

namespace varnel::platform {

class TextMetrics {
  public:
    virtual ~TextMetrics() = default;
    // Width in pixels of the bytes as drawn in one run (tabs already expanded by the
    // caller; a lone lead byte or other undecodable byte still has a width).
    virtual int TextWidth(std::string_view cp932) const = 0;
    // The font's average character width, the editor's cell width.
    virtual int AverageCharWidth() const = 0;
    // The font's character height.
    virtual int CharHeight() const = 0;
};

}  // namespace varnel::platform
