// Viewer/editor appearance: colours, fonts and the ruler height rule. The title is
// checked on the window (TForm1Test, WorkingFilesTest).
#include <gtest/gtest.h>

#include "app/ModeAppearance.h"

namespace varnel::app {
namespace {

ModeState Mode(bool readOnly, bool european = false,
               std::optional<platform::StoredColor> alert = std::nullopt) {
    ModeState s;
    s.readOnly = readOnly;
    s.europeanFont = european;
    s.temporaryViewerColor = alert;
    return s;
}

// Each mode takes its own colours and font; the alert colour replaces the viewer
// background only, and the European font wins over both modes.
TEST(ModeAppearanceTest, ViewerAndEditorColoursAndFonts) {
    ModeOptions o;
    o.ViewerColor = 0x00C0C0C0;
    o.EditorColor = 0xFF000005;
    o.ViewerFontColor = 0x000000FF;
    o.EditorFontColor = 0x00FF0000;
    o.ViewerFontName = "\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e";  // ＭＳ ゴシック
    o.EditorFontName = "Monospace";
    o.ViewerFontSize = 12;
    o.EditorFontSize = 16;
    o.EuropeanFontName = "Courier New";
    o.EuropeanFontSize = 11;
    const std::string gothic = "ＭＳ ゴシック";  // converted to UTF-8 for the window
    const struct {
        ModeState mode;
        platform::StoredColor background, fontColor;
        std::string font;
        int size;
    } cases[] = {
        {Mode(true), 0x00C0C0C0, 0x000000FF, gothic, 12},
        {Mode(false), 0xFF000005, 0x00FF0000, "Monospace", 16},
        {Mode(true, false, 0x00FFFF00), 0x00FFFF00, 0x000000FF, gothic, 12},
        {Mode(false, false, 0x00FFFF00), 0xFF000005, 0x00FF0000, "Monospace", 16},
        {Mode(true, true), 0x00C0C0C0, 0x000000FF, "Courier New", 11},
        {Mode(false, true), 0xFF000005, 0x00FF0000, "Courier New", 11},
    };
    for (const auto& c : cases) {
        const platform::ViewAppearance a = ComputeAppearance(o, c.mode);
        SCOPED_TRACE(c.font + (c.mode.readOnly ? " viewer" : " editor"));
        EXPECT_EQ(a.readOnly, c.mode.readOnly);
        EXPECT_EQ(a.background, c.background);
        EXPECT_EQ(a.fontColor, c.fontColor);
        EXPECT_EQ(a.fontName, c.font);
        EXPECT_EQ(a.fontSize, c.size);
        EXPECT_EQ(a.westernCharset, c.mode.europeanFont);
    }
}

TEST(ModeAppearanceTest, RulerRule) {
    struct Case {
        int ruler;
        bool readOnly;
        bool visible;
    };
    const Case cases[] = {
        {0, false, true}, {0, true, false},   {1, false, true},
        {1, true, true},  {-1, false, false}, {-1, true, false},
    };
    for (const auto& c : cases) {
        ModeOptions o;
        o.Ruler = c.ruler;
        o.ViewerFontSize = o.EditorFontSize = 15;
        const auto a = ComputeAppearance(o, Mode(c.readOnly));
        EXPECT_EQ(a.rulerVisible, c.visible) << c.ruler << " " << c.readOnly;
        // With the ruler: size * 12 / 10 + 28 (integer division); without it 27.
        EXPECT_EQ(a.toolBarHeight, c.visible ? 46 : 27) << c.ruler << " " << c.readOnly;
    }
}

TEST(ModeAppearanceTest, HiddenToolBarAndScrollBarOppositeOfWrapping) {
    ModeOptions o;
    o.WordWrap = true;
    EXPECT_TRUE(ComputeAppearance(o, ModeState{}).toolBarVisible);
    EXPECT_FALSE(ComputeAppearance(o, ModeState{}).horizontalScrollBar);
    o.HideButton = true;
    o.WordWrap = false;
    EXPECT_FALSE(ComputeAppearance(o, ModeState{}).toolBarVisible);
    EXPECT_TRUE(ComputeAppearance(o, ModeState{}).horizontalScrollBar);
}

}  // namespace
}  // namespace varnel::app
