// The editor's published look: colours, marks, ruler and colour-rule switches, with
// the control's defaults and value limits. Colours are 0x00BBGGRR values.
#pragma once

#include <cstdint>
#include <string>

namespace varnel::editor {

using TColor = std::uint32_t;

// The named colours the control and the main window use.
namespace colours {
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clYellow = 0x00FFFF;
}  // namespace colours

// The font the control asks the platform for. A negative height is a pixel height,
// a positive size is in points.
struct TFontSpec {
    std::string Name = "FixedSys";  // UTF-8, as the platform names fonts
    int Size = 14;
    int Height = 0;  // when not 0, used instead of Size (pixels, given negative)
    TColor Color = colours::clBlack;
};

class PaintProperties {
  public:
    TColor Color = colours::clWhite;
    TFontSpec Font;
    TColor SelColor = colours::clBlack;
    TColor CREOFcolor = colours::clTeal;
    TColor URLColor = colours::clBlue;
    TColor QuotMarkColor = colours::clGray;
    TColor UlineColor = colours::clBlack;
    TColor RulerColor = colours::clBlack;
    TColor RulerCurColor = colours::clBlack;
    TColor SubjectColor = colours::clBlack;
    TColor DateColor = colours::clBlack;
    TColor FromColor = colours::clBlack;

    bool ColorPrintF = true;
    // The characters (single- or double-byte) that mark a quoted paragraph.
    std::string QuotMarkStr = ">";
    bool ShowHTMLTagColor = false;
    bool ShowCR = true;
    bool ShowEOF = true;
    bool ShowTAB = false;
    bool ShowDblSpace = true;
    bool ShowSglSpace = false;
    bool ShowUnderLine = false;

    bool ShowRuler() const { return showRuler_; }
    void SetShowRuler(bool on) { showRuler_ = on; }
    bool ShowRulerCur() const { return showRulerCur_; }
    void SetShowRulerCur(bool on) { showRulerCur_ = on; }
    int RulerCurWidth() const { return rulerCurWidth_; }
    // Kept within 0..7.
    void SetRulerCurWidth(int px);
    // The top margin the ruler band needs: at least 11 while the ruler or its cursor
    // is shown.
    int TopMarginFor(int topMargin) const;

    // The values the main window stores for its instance where they differ from the
    // control's defaults (its margins, tab count and line space live with the engine).
    void ApplyMainWindowDefaults();

    static constexpr const char* Version = "TSonEdit Ver1.36";

  private:
    bool showRuler_ = false;
    bool showRulerCur_ = false;
    int rulerCurWidth_ = 5;
};

}  // namespace varnel::editor
