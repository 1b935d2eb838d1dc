// Paint plans of small pages: paragraph colours across wraps, links in quoted and
// wrapped lines, header colours, selection, marks, line numbers and the ruler.
#include <gtest/gtest.h>

#include <random>

#include "editor/ColourRules.h"
#include "editor/LineString.h"
#include "editor/PaintPlan.h"
#include "fakes/EditorFakes.h"
#include "text/Sjis.h"

namespace varnel::editor {
namespace {

struct Drawn {
    int row;
    std::string text;
    TColor colour;
    bool underline;
    bool operator==(const Drawn&) const = default;
};

void PrintTo(const Drawn& d, std::ostream* os) {
    *os << d.row << " \"" << d.text << "\" " << std::hex << d.colour << (d.underline ? " u" : "");
}

class PaintPlanTest : public ::testing::Test {
  protected:
    PaintPlanTest() {
        look.ApplyMainWindowDefaults();
        view.clientWidth = 640;
        view.clientHeight = 400;
        view.topMargin = 4;
        view.leftMargin = 10;
        view.textLeft = 10;
        view.charHeight = 16;
        view.linePitch = 20;
        view.cellWidth = 8;
        view.tabCount = 4;
    }

    PaintPlan Plan(const std::vector<std::string>& lines) {
        TSonStrings store;
        store.Assign(lines);
        return BuildPaintPlan(store, view, look, metrics, selection);
    }
    std::vector<Drawn> Texts(const PaintPlan& plan) {
        std::vector<Drawn> out;
        for (const PaintOp& op : plan.ops) {
            if (op.kind == PaintOp::Kind::Text && op.x >= view.textLeft)
                out.push_back(
                    {(op.y - view.topMargin) / view.linePitch, op.text, op.colour, op.underline});
        }
        return out;
    }
    static int Count(const PaintPlan& plan, PaintOp::Kind kind) {
        int n = 0;
        for (const PaintOp& op : plan.ops)
            n += op.kind == kind;
        return n;
    }

    fakes::CellTextMetrics metrics;
    PaintProperties look;
    PaintView view;
    SelectionOfLine selection;
};

// Paragraph colours and links over every display line of a paragraph, also when the
// paragraph begins above the view.
TEST_F(PaintPlanTest, ColoursAndLinksFollowTheParagraph) {
    const TColor gray = colours::clGray, black = colours::clBlack, blue = colours::clBlue;
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        int topLine;
        std::vector<Drawn> want;
    };
    const std::vector<Case> cases = {
        {"quote levels colour every wrapped line",
         {">> second level quote that wr", "aps onto a soft line\r\n", "> first level\r\n",
          "not quoted\r\n", std::string(1, '\0')},
         0,
         {{0, ">> second level quote that wr", gray, false},
          {1, "aps onto a soft line", gray, false},
          {2, "> first level", gray, false},
          {3, "not quoted", black, false},
          {4, "[EOF]", colours::clTeal, false}}},
        {"a link in a quoted line",
         {"> see http://x.jp/a ok\r\n"},
         0,
         {{0, "> see ", gray, false}, {0, "http://x.jp/a", blue, true}, {0, " ok", gray, false}}},
        {"a link wrapped across display lines",
         {"go http://example.com/ve", "ry/long page\r\n", "http://next.jp\r\n"},
         0,
         {{0, "go ", black, false},
          {0, "http://example.com/ve", blue, true},
          {1, "ry/long", blue, true},
          {1, " page", black, false},
          {2, "http://next.jp", blue, true}}},
        {"a link starting above the view",
         {"> mail http://example.co", "m/path end\r\n"},
         1,
         {{0, "m/path", blue, true}, {0, " end", gray, false}}},
    };
    for (const Case& c : cases) {
        view.topLine = c.topLine;
        EXPECT_EQ(Texts(Plan(c.lines)), c.want) << c.name;
    }
}

TEST_F(PaintPlanTest, SelectionInvertsTextAndLineEnd) {
    selection = [](int line, int& x1, int& x2) {
        if (line != 0)
            return false;
        x1 = 2;
        x2 = 100;  // runs over the line end
        return true;
    };
    const PaintPlan plan = Plan({"abcd\r\n", "ef\r\n"});
    const auto texts = Texts(plan);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[1].text, "cd");
    EXPECT_EQ(texts[1].colour, colours::clWhite);
    bool selFill = false;
    bool invertedArrow = false;
    for (const PaintOp& op : plan.ops) {
        if (op.kind == PaintOp::Kind::Fill && op.colour == look.SelColor && op.x == 10 + 16)
            selFill = true;
        if (op.kind == PaintOp::Kind::Line && op.colour == (look.CREOFcolor ^ 0xFFFFFF))
            invertedArrow = true;
    }
    EXPECT_TRUE(selFill);
    EXPECT_TRUE(invertedArrow);
}

TEST_F(PaintPlanTest, MarksFollowTheirSwitches) {
    const std::vector<std::string> lines{
        "a\tb c\x81\x40"
        "d\r\n",
        std::string(1, '\0')};
    look.ShowSglSpace = true;
    PaintPlan plan = Plan(lines);
    // One full-width blank and one blank (the tab's blanks are not marked as blanks).
    EXPECT_EQ(Count(plan, PaintOp::Kind::DottedRect), 2);
    // Three strokes for the line-end arrow and three for the tab arrow.
    EXPECT_EQ(Count(plan, PaintOp::Kind::Line), 6);
    const auto texts = Texts(plan);
    EXPECT_EQ(texts[0].text,
              "a   b c\x81\x40"
              "d");  // tab at byte 1 with TabCount 4
    EXPECT_EQ(texts[1].text, "[EOF]");

    look.ShowTAB = false;
    look.ShowCR = false;
    look.ShowEOF = false;
    view.singleByte = true;  // no full-width blanks in single-byte mode
    plan = Plan(lines);
    EXPECT_EQ(Count(plan, PaintOp::Kind::Line), 0);
    EXPECT_EQ(Count(plan, PaintOp::Kind::DottedRect), 1);
    EXPECT_EQ(Texts(plan).size(), 1u);
}

TEST_F(PaintPlanTest, LineNumbersRulerAndUnderline) {
    view.showLineNumber = true;
    view.textLeft = 50;
    look.SetShowRuler(true);
    view.topMargin = look.TopMarginFor(4);
    look.ShowUnderLine = true;
    view.caretLine = 1;
    view.caretUnderline = true;
    view.column = 40;
    const PaintPlan plan = Plan({"one\r\n", "two\r\n", std::string(1, '\0')});
    std::vector<std::string> numbers;
    std::vector<std::string> rulerLabels;
    bool underline = false;
    for (const PaintOp& op : plan.ops) {
        if (op.kind == PaintOp::Kind::Text && op.x < view.textLeft) {
            numbers.push_back(op.text);
            EXPECT_EQ(op.x + 8 * static_cast<int>(op.text.size()), view.textLeft - 7);
        }
        if (op.kind == PaintOp::Kind::RulerText)
            rulerLabels.push_back(op.text);
        if (op.kind == PaintOp::Kind::Line && op.colour == colours::clFuchsia)
            underline = op.y == 11 + 20 + 16 && op.x == view.leftMargin;
    }
    EXPECT_EQ(view.topMargin, 11);
    EXPECT_EQ(numbers, (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(rulerLabels, (std::vector<std::string>{"10", "20", "30", "40"}));
    EXPECT_TRUE(underline);
}

// Every third page of a paragraph longer than the look-back is coloured byte for byte
// as a scan of the whole look-back (and the line after the page) colours it.
TEST_F(PaintPlanTest, PagesColourLinksAsTheWholeLookBackDoes) {
    // clang-format off
    const std::string pieces[] = {"http://example.jp/" + std::string(300, 'p'), "<a href=\"x\">",
        "mailto:a@b.jp", "< not closed soon ", "tag:a.b/c", " ", "abc", "\x93\xfa\x96\x7b",
        "\x83\x80\x83\x74", "\x9f\x5c\x9f\x68"};
    // clang-format on
    std::mt19937 random(20);
    std::vector<std::string> lines(1);  // soft lines of 12 bytes or a little more
    while (lines.size() < 300) {
        const std::string& piece = pieces[random() % std::size(pieces)];
        for (std::size_t k = 0; k < piece.size(); k += text::CharLengthAt(piece, k)) {
            if (lines.back().size() >= 12)
                lines.emplace_back();
            lines.back() += piece.substr(k, text::CharLengthAt(piece, k));
        }
    }
    lines.back() += "\r\n";
    const int n = static_cast<int>(lines.size());
    TSonStrings store;
    store.Assign(lines);
    for (const bool html : {true, false}) {
        look.ShowHTMLTagColor = html;
        for (view.topLine = 0; view.topLine < n; view.topLine += 3) {
            const int from = std::max(0, view.topLine - kLinkLookBackLines);
            std::string joined;
            std::size_t at = 0;  // the page's first byte in joined
            for (int i = from; i <= std::min(n - 1, view.topLine + 20); ++i) {
                at = i == view.topLine ? joined.size() : at;
                joined += StripLineEnd(lines[static_cast<std::size_t>(i)]);
            }
            std::vector<std::pair<TColor, bool>> want(joined.size(), {look.Font.Color, false});
            for (const LinkSpan& l : FindLinks(joined, look))
                std::fill(want.begin() + l.begin, want.begin() + l.end,
                          std::pair{look.URLColor, l.underline});
            for (const Drawn& d : Texts(BuildPaintPlan(store, view, look, metrics, selection))) {
                for (std::size_t k = 0; k < d.text.size(); ++k, ++at)
                    ASSERT_EQ(std::pair(d.colour, d.underline), want.at(at))
                        << "top " << view.topLine << " row " << d.row << " \"" << d.text << "\"";
            }
        }
    }
}

}  // namespace
}  // namespace varnel::editor

namespace varnel::editor {
namespace {

// A search hit is also the selection; it is drawn in the hit colour.
TEST_F(PaintPlanTest, SearchHitShowsInItsOwnColourOverTheSelection) {
    selection = [](int line, int& x1, int& x2) {
        x1 = 1;
        x2 = 3;
        return line == 0;
    };
    view.hitLine = 0;
    view.hitX = 1;
    view.hitLength = 2;
    view.hitColour = 0x00FFFF;
    int hitFills = 0, selFills = 0;
    for (const PaintOp& op : Plan({"abcd\r\n"}).ops) {
        hitFills += op.kind == PaintOp::Kind::Fill && op.colour == 0x00FFFF;
        selFills += op.kind == PaintOp::Kind::Fill && op.colour == look.SelColor;
    }
    EXPECT_EQ(hitFills, 1);
    EXPECT_EQ(selFills, 0);
}

}  // namespace
}  // namespace varnel::editor
