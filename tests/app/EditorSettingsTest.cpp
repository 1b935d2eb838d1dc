// View settings reach the editor control under their property names.
#include <gtest/gtest.h>

#include "app/EditorSettings.h"
#include "editor/SonEdit2.h"
#include "fakes/EditorFakes.h"
#include "fakes/Fakes.h"

namespace varnel::app {
namespace {

TEST(EditorSettings, ViewSettingsBecomeEditorProperties) {
    fakes::CellTextMetrics metrics;  // 8 px cells
    fakes::MemoryClipboard clipboard;
    fakes::ScriptedPrompter prompter;
    editor::TSonEdit2 edit(metrics, clipboard, prompter);
    ViewSettings v;
    v.QuoteStr = ">\x81\x84";
    v.QuoteFontColor = 0x123456;
    v.CrEofColor = 6;
    v.LineNum = true;
    v.TabCount = 12;
    v.LineSpace = 150;
    v.TopMargin = 40;
    v.WordWrap = true;
    ApplyViewSettingsToEditor(v, edit);
    EXPECT_EQ(edit.QuotMarkStr, ">\x81\x84");
    EXPECT_EQ(edit.QuotMarkColor, 0x123456u);
    EXPECT_EQ(edit.CREOFcolor, 6u);  // the property names differ from the keys
    EXPECT_TRUE(edit.ShowLineNumber());
    EXPECT_EQ(edit.TabCount(), 8);     // kept within 1..8
    EXPECT_EQ(edit.LineSpace(), 100);  // kept within 0..100
    EXPECT_EQ(edit.TopMargin(), 30);   // kept within 0..30
    EXPECT_TRUE(edit.AutoWrap());
    EXPECT_EQ(edit.Column(), (32767 / 8) / 2);

    v.WordWrap = false;
    ApplyViewSettingsToEditor(v, edit);
    EXPECT_FALSE(edit.AutoWrap());
    EXPECT_EQ(edit.Column(), 32760);
}

TEST(EditorSettings, RulerLimits) {
    editor::PaintProperties look;
    look.SetRulerCurWidth(9);
    EXPECT_EQ(look.RulerCurWidth(), 7);
    look.SetRulerCurWidth(-1);
    EXPECT_EQ(look.RulerCurWidth(), 0);
    EXPECT_EQ(look.TopMarginFor(4), 4);
    look.SetShowRulerCur(true);
    EXPECT_EQ(look.TopMarginFor(4), 11);
    EXPECT_EQ(look.TopMarginFor(20), 20);
}

}  // namespace
}  // namespace varnel::app
