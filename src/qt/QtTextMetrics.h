// The editor's text metrics in cells: a single byte is one cell wide, a double-byte
// character two, whatever the glyphs' own advances; heights from QFontMetrics.
#pragma once

#include <QFont>

#include "platform/TextMetrics.h"

namespace varnel::qt {

class QtTextMetrics : public platform::TextMetrics {
  public:
    explicit QtTextMetrics(const QFont& font) { SetFont(font); }
    void SetFont(const QFont& font);
    const QFont& Font() const { return font_; }

    int TextWidth(std::string_view cp932) const override {
        return static_cast<int>(cp932.size()) * cell_;
    }
    int AverageCharWidth() const override { return cell_; }
    int CharHeight() const override { return height_; }
    int Ascent() const { return ascent_; }

  private:
    QFont font_;
    int cell_ = 8;
    int height_ = 16;
    int ascent_ = 12;
};

}  // namespace varnel::qt
