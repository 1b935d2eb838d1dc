// Viewer/editor appearance: colours, fonts and the ruler height rule. The title is
// checked on the window (TForm1Test, FileDropTest).
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

    platform::ViewAppearance v = ComputeAppearance(o, Mode(true));
    EXPECT_TRUE(v.readOnly);
    EXPECT_EQ(v.background, 0x00C0C0C0u);
    EXPECT_EQ(v.fontColor, 0x000000FFu);
    EXPECT_EQ(v.fontName, "ＭＳ ゴシック");  // converted to UTF-8 for the window
    EXPECT_EQ(v.fontSize, 12);
    EXPECT_FALSE(v.westernCharset);

    platform::ViewAppearance e = ComputeAppearance(o, Mode(false));
    EXPECT_FALSE(e.readOnly);
    EXPECT_EQ(e.background, 0xFF000005u);
    EXPECT_EQ(e.fontColor, 0x00FF0000u);
    EXPECT_EQ(e.fontName, "Monospace");
    EXPECT_EQ(e.fontSize, 16);

    // The alert colour replaces the viewer background only.
    ModeState alert = Mode(true, false, 0x00FFFF00);
    EXPECT_EQ(ComputeAppearance(o, alert).background, 0x00FFFF00u);
    alert.readOnly = false;
    EXPECT_EQ(ComputeAppearance(o, alert).background, 0xFF000005u);

    // The European font wins over both modes.
    o.EuropeanFontName = "Courier New";
    o.EuropeanFontSize = 11;
    platform::ViewAppearance eu = ComputeAppearance(o, Mode(true, true));
    EXPECT_EQ(eu.fontName, "Courier New");
    EXPECT_EQ(eu.fontSize, 11);
    EXPECT_TRUE(eu.westernCharset);
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
