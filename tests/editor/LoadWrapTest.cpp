// Loading lines into the editor and rewrapping: lines moved in give the store the
// joined text would give, a rewrap is skipped only when neither the text nor anything
// the wrap depends on (settings, font widths) changed, and a wrap left for idle time
// gives every command the result of the wrap done at once.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "editor/SonEdit2.h"
#include "editor/StoreChecks.h"
#include "fakes/EditorFakes.h"
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

TEST(LoadWrap, BreakBytesAreFoundWhereverTheyStand) {
    // Each break byte in the first eight bytes, the next eight and the rest; bytes one
    // off them, and double-byte characters, are none.
    for (const char b : {'\r', '\n', '\0'}) {
        for (const std::size_t at : {0u, 7u, 8u, 15u, 16u, 18u}) {
            std::string s(19, 'x');
            s[at] = b;
            EXPECT_TRUE(HasBreakByte(s)) << int(b) << " at " << at;
        }
    }
    EXPECT_FALSE(HasBreakByte(""));
    EXPECT_FALSE(HasBreakByte("\x0c\x0e\x0b\x01\x8d\x8a\x80\x81\x8d\x8a\x8a\x8d\x0c\x0e\x0b"));
    EXPECT_FALSE(HasBreakByte("\x82\xa0\x82\xa2\x8d\x5c\x8a\x0e plain text after"));
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

// What a command sees of the editor afterwards.
struct Outcome {
    std::vector<std::string> lines;
    std::string text;
    DisplayPos caret;
    int top = 0;
    DisplayPos hit;
    int hitLength = 0;
    bool operator==(const Outcome&) const = default;
};

Outcome OutcomeOf(TSonEdit2& e) {
    Outcome o;
    o.text = e.Text();
    o.lines = LinesOf(e.Lines());
    o.caret = e.Caret();
    o.top = e.TopLine();
    e.Hit(o.hit, o.hitLength);
    return o;
}

TEST(LoadWrap, IdleWrapGivesEveryCommandTheResultOfTheWrapDoneAtOnce) {
    // Paragraphs of 3 to 60 bytes (column 20: one to three display lines each), a word
    // to find far down, and no line end after the last one.
    std::vector<std::string> paragraphs;
    for (int i = 0; i < 600; ++i)
        paragraphs.push_back(
            std::string(static_cast<std::size_t>(3 + i * 7 % 58), static_cast<char>('a' + i % 26)));
    paragraphs[450] += " needle";
    paragraphs[20] = "\x82\xa0\x82\xa2\x82\xa4\x82\xa6\x82\xa8 kana to wrap here";
    const std::vector<std::pair<const char*, std::function<void(TSonEdit2&)>>> commands{
        {"nothing", [](TSonEdit2&) {}},
        {"ctrl end", [](TSonEdit2& e) { e.KeyDown(vk::kEnd, kCtrlKey); }},
        {"find",
         [](TSonEdit2& e) {
             e.FindStart("needle");
             e.FindNext();
         }},
        {"type on the first page",
         [](TSonEdit2& e) {
             e.MoveCaretTo(3, 1);
             e.TypeText("typed and long enough to wrap");
         }},
        {"type, then undo",
         [](TSonEdit2& e) {
             e.MoveCaretTo(3, 1);
             e.TypeText("typed");
             e.Undo();
         }},
        {"scroll far down", [](TSonEdit2& e) { e.ScrollLines(900); }},
        {"top line far down", [](TSonEdit2& e) { e.SetTopLine(1000); }},
        {"another column", [](TSonEdit2& e) { e.SetColumn(33); }},
        {"slices",
         [](TSonEdit2& e) {
             while (e.WrapSome(7)) {
             }
         }},
        {"select all", [](TSonEdit2& e) { e.SelectAll(); }},
        {"wrap off", [](TSonEdit2& e) { e.SetWrap(false, true); }},
    };
    for (const auto& [name, command] : commands) {
        Editor atOnce(true), idle(true);
        idle.e.DeferWrap = true;
        atOnce.e.SetLines(std::vector<std::string>(paragraphs), false);
        idle.e.SetLines(std::vector<std::string>(paragraphs), false);
        ASSERT_TRUE(idle.e.WrapPending()) << name;
        // The first page is final, and the text is the same, before any wrap goes on.
        const int page = idle.e.WrappedCount();
        ASSERT_GE(page, idle.e.VisibleLines()) << name;
        ASSERT_LT(page, atOnce.e.LinesSoFar().Count()) << name;
        for (int i = 0; i < page; ++i)
            ASSERT_EQ(idle.e.LinesSoFar()[i], atOnce.e.LinesSoFar()[i]) << name << " line " << i;
        EXPECT_EQ(idle.e.Text(), atOnce.e.Text()) << name;
        EXPECT_TRUE(idle.e.WrapPending()) << name;

        idle.e.WrapSome(5);  // part of it done in idle time
        command(atOnce.e);
        command(idle.e);
        EXPECT_EQ(OutcomeOf(idle.e), OutcomeOf(atOnce.e)) << name;
        EXPECT_FALSE(idle.e.WrapPending()) << name;
        EXPECT_EQ(StoreFault(idle.e.Lines(), idle.e.WordWrap()), "") << name;
    }
}

}  // namespace
}  // namespace varnel::editor
