// Loading lines into the editor and rewrapping: lines moved in give the store the
// joined text would give, and a rewrap is skipped only when neither the text nor
// anything the wrap depends on (settings, font widths) changed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/EditorFakes.h"
#include "editor/SonEdit2.h"
#include "editor/StoreChecks.h"
#include "fakes/Fakes.h"

namespace varnel::editor {
namespace {

// A font whose double-byte width can change, counting width requests.
class Font : public platform::TextMetrics {
  public:
    int cell = 8;
    int wide = 16;
    mutable int widthCalls = 0;
    int TextWidth(std::string_view s) const override {
        ++widthCalls;
        int w = 0;
        for (std::size_t i = 0; i < s.size(); i += text::IsDoubleByteAt(s, i) ? 2 : 1)
            w += text::IsDoubleByteAt(s, i) ? wide : cell;
        return w;
    }
    int AverageCharWidth() const override { return cell; }
    int CharHeight() const override { return 16; }
};

struct Editor {
    Font font;
    fakes::MemoryClipboard clipboard;
    fakes::ScriptedPrompter prompter;
    TSonEdit2 e{font, clipboard, prompter};
    explicit Editor(bool wrap) {
        e.SetClientSize(800, 300);
        e.SetWrap(wrap, false);
        e.SetColumn(20);
    }
};

std::string Joined(const std::vector<std::string>& lines, bool finalLineEnd) {
    std::string text;
    for (const std::string& l : lines)
        text += l + "\r\n";
    if (!finalLineEnd && !lines.empty())
        text.resize(text.size() - 2);
    return text;
}

TEST(LoadWrap, MovedLinesGiveTheStoreOfTheJoinedText) {
    const std::string longLine(70, 'x');
    const std::vector<std::vector<std::string>> texts{
        {},
        {""},
        {"a", "", "b"},
        {longLine, "\x82\xa0\x82\xa2 short", longLine + "\x82\xa0"},
        {"cr\rinside", std::string("nul\0inside", 10)},  // read as the joined text
        {"lf\ninside", "tail"},
    };
    for (bool wrap : {false, true}) {
        for (bool finalLineEnd : {false, true}) {
            for (const auto& lines : texts) {
                Editor joined(wrap), moved(wrap);
                joined.e.SetText(Joined(lines, finalLineEnd));
                moved.e.SetLines(std::vector<std::string>(lines), finalLineEnd);
                EXPECT_EQ(LinesOf(moved.e.Lines()), LinesOf(joined.e.Lines()))
                    << "wrap " << wrap << " final " << finalLineEnd << " lines " << lines.size();
            }
        }
    }
}

TEST(LoadWrap, RewrapSkipsOnlyWhenNothingItDependsOnChanged) {
    std::string kana;
    for (int i = 0; i < 25; ++i)
        kana += "\x82\xa0";
    std::vector<std::string> lines(200, kana);
    Editor ed(true);
    ed.e.SetLines(std::move(lines), true);
    const std::vector<std::string> wrapped = LinesOf(ed.e.Lines());

    ed.font.widthCalls = 0;
    ed.e.Rewrap();
    EXPECT_LT(ed.font.widthCalls, 20) << "nothing changed: no wrap";
    EXPECT_EQ(LinesOf(ed.e.Lines()), wrapped);

    ed.font.wide = 24;  // another font: fewer double-byte characters fit
    ed.e.Rewrap();
    EXPECT_GT(ed.e.Lines().Count(), static_cast<int>(wrapped.size()));
    ed.font.wide = 16;
    ed.e.Rewrap();
    EXPECT_EQ(LinesOf(ed.e.Lines()), wrapped);

    // A write from outside (here: one piece taken away) makes the next rewrap real.
    ed.e.Lines().Delete(0);
    ed.font.widthCalls = 0;
    ed.e.Rewrap();
    EXPECT_GT(ed.font.widthCalls, 100);
    EXPECT_EQ(StoreFault(ed.e.Lines(), true), "");
}

}  // namespace
}  // namespace varnel::editor
