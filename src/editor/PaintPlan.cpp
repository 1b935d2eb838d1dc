// Building the paint plan of one page: background, ruler, line numbers, every visible
// display line with its paragraph colour, links, selection, search hit and marks, and
// the caret-line underline.
#include "editor/PaintPlan.h"

#include <algorithm>
#include <cmath>

#include "editor/ColourRules.h"
#include "editor/LineString.h"
#include "editor/TabLayout.h"
#include "text/Sjis.h"

namespace varnel::editor {

void PaintPlan::Replay(platform::Canvas& canvas) const {
    for (const PaintOp& op : ops) {
        switch (op.kind) {
            case PaintOp::Kind::Fill:
                canvas.FillRect(op.x, op.y, op.w, op.h, op.colour);
                break;
            case PaintOp::Kind::Text:
                canvas.DrawText(op.x, op.y, op.text, op.colour, op.underline);
                break;
            case PaintOp::Kind::RulerText:
                canvas.DrawRulerText(op.x, op.y, op.text, op.colour);
                break;
            case PaintOp::Kind::Line:
                canvas.DrawLine(op.x, op.y, op.w, op.h, op.colour);
                break;
            case PaintOp::Kind::DottedRect:
                canvas.DrawDottedRect(op.x, op.y, op.w, op.h, op.colour);
                break;
            case PaintOp::Kind::Clip:
                canvas.SetClip(op.x, op.y, op.w, op.h);
                break;
            case PaintOp::Kind::ResetClip:
                canvas.ResetClip();
                break;
        }
    }
}

namespace {

constexpr TColor kInvert = 0xFFFFFF;
constexpr std::string_view kFullWidthBlank("\x81\x40");

class PlanBuilder {
  public:
    PlanBuilder(const TSonStrings& lines, const PaintView& view, const PaintProperties& look,
                const platform::TextMetrics& metrics, const SelectionOfLine& selection)
        : store_(lines),
          lines_(lines.Lines()),
          v_(view),
          look_(look),
          m_(metrics),
          selection_(selection) {
        plan_.singleByte = view.singleByte;
        markTop_ = static_cast<int>(std::lround(0.2 * v_.charHeight));
        markBottom_ = static_cast<int>(std::lround(0.8 * v_.charHeight));
        blankWidth_ = m_.TextWidth(" ");
        fullBlankWidth_ = m_.TextWidth(kFullWidthBlank);
    }

    PaintPlan Build();

  private:
    int Count() const { return static_cast<int>(lines_.size()); }
    int RowY(int line) const { return (line - v_.topLine) * v_.linePitch + v_.topMargin; }
    void Fill(int x, int y, int w, int h, TColor c) {
        plan_.ops.push_back({PaintOp::Kind::Fill, x, y, w, h, c, false, {}});
    }
    void Text(int x, int y, std::string_view s, TColor c, bool underline) {
        plan_.ops.push_back({PaintOp::Kind::Text, x, y, 0, 0, c, underline, std::string(s)});
    }
    void Line(int x1, int y1, int x2, int y2, TColor c) {
        plan_.ops.push_back({PaintOp::Kind::Line, x1, y1, x2, y2, c, false, {}});
    }
    void Dotted(int x, int y, int w, int h, TColor c) {
        plan_.ops.push_back({PaintOp::Kind::DottedRect, x, y, w, h, c, false, {}});
    }

    void Ruler();
    void LineNumbers(int last);
    void Paragraphs(int first, int last);
    void PaintLine(int line, TColor paraColour, const std::vector<LinkSpan>& spans);

    const TSonStrings& store_;
    TSonStrings::LineRange lines_;  // the store's lines, read directly
    const PaintView& v_;
    const PaintProperties& look_;
    const platform::TextMetrics& m_;
    const SelectionOfLine& selection_;
    PaintPlan plan_;
    int markTop_ = 0;
    int markBottom_ = 0;
    int blankWidth_ = 0;
    int fullBlankWidth_ = 0;
};

PaintPlan PlanBuilder::Build() {
    Fill(0, 0, v_.clientWidth, v_.clientHeight, look_.Color);
    const int pitch = std::max(1, v_.linePitch);
    const int rows = std::max(0, (v_.clientHeight - v_.topMargin + pitch - 1) / pitch);
    const int first = std::clamp(v_.topLine, 0, std::max(0, Count() - 1));
    const int last = std::min(Count() - 1, v_.topLine + rows - 1);
    if (look_.ShowRuler() || look_.ShowRulerCur())
        Ruler();
    if (v_.showLineNumber && last >= first)
        LineNumbers(last);
    plan_.ops.push_back({PaintOp::Kind::Clip,
                         v_.textLeft,
                         v_.topMargin,
                         std::max(0, v_.clientWidth - v_.textLeft),
                         std::max(0, v_.clientHeight - v_.topMargin),
                         0,
                         false,
                         {}});
    if (last >= first)
        Paragraphs(first, last);
    plan_.ops.push_back({PaintOp::Kind::ResetClip, 0, 0, 0, 0, 0, false, {}});
    if (look_.ShowUnderLine && v_.caretUnderline && v_.caretLine >= first && v_.caretLine <= last) {
        const int y = RowY(v_.caretLine);
        const int yu = std::min(y + v_.charHeight, y + pitch - 1);
        Line(v_.leftMargin, yu, v_.clientWidth - 1, yu, look_.UlineColor);
    }
    return std::move(plan_);
}

void PlanBuilder::Ruler() {
    const int cw = std::max(1, v_.cellWidth);
    if (look_.ShowRuler()) {
        const int c1 =
            std::max(1, static_cast<int>(std::lround(static_cast<double>(v_.horzOffset) / cw)));
        const int lastVisible = (v_.clientWidth - v_.textLeft + v_.horzOffset) / cw + 1;
        const int limit = v_.wordWrap ? v_.column : (32767 / cw) / 2;
        const int c2 = std::min(lastVisible, limit);
        int xFirst = -1;
        int xLast = -1;
        for (int c = c1; c <= c2; ++c) {
            const int x = (c - 1) * cw + v_.textLeft - v_.horzOffset;
            if (xFirst < 0)
                xFirst = x;
            xLast = x;
            if (c % 10 == 0) {
                plan_.ops.push_back({PaintOp::Kind::RulerText, x + 1, 1, 0, 0, look_.RulerColor,
                                     false, std::to_string(c)});
                Line(x, 0, x, 10, look_.RulerColor);
            } else {
                Line(x, 4, x, 10, look_.RulerColor);
            }
        }
        if (xFirst >= 0)
            Line(xFirst, 10, xLast, 10, look_.RulerColor);
    }
    if (look_.ShowRulerCur() && look_.RulerCurWidth() > 0)
        Fill(v_.caretX, 0, look_.RulerCurWidth(), 9, look_.RulerCurColor);
}

void PlanBuilder::LineNumbers(int last) {
    for (int i = std::max(0, v_.topLine); i <= last; ++i) {
        const std::string n = std::to_string(i + 1);
        Text(v_.textLeft - 7 - m_.TextWidth(n), RowY(i), n, look_.CREOFcolor, false);
    }
    Line(v_.textLeft - 4, v_.topMargin, v_.textLeft - 4, RowY(last) + v_.linePitch - 1,
         look_.CREOFcolor);
}

// Walks the paragraphs that touch the page: each gives the colour of all its display
// lines, and its text (soft pieces joined) is scanned once for links so that a link cut
// by a soft wrap is found whole.
void PlanBuilder::Paragraphs(int first, int last) {
    int p = store_.ParaStart(first);
    std::vector<LinkSpan> lineSpans;
    std::string joined;
    std::vector<std::size_t> starts;
    while (p <= last) {
        // q: the paragraph's last line, or the line after the page when the paragraph
        // runs on (its text there may finish a link that starts on the page). Lines from
        // p up to first are soft, so the search starts on the page.
        int q = std::max(p, first);
        while (q < Count() - 1 && !HasHardEnd(lines_[static_cast<std::size_t>(q)]) && q <= last)
            ++q;
        const TColor colour = ParagraphColour(StripLineEnd(lines_[static_cast<std::size_t>(p)]),
                                              look_, v_.singleByte);
        const int scanFrom = std::max(p, first - kLinkLookBackLines);
        joined.clear();
        starts.clear();
        for (int i = scanFrom; i <= q; ++i) {
            starts.push_back(joined.size());
            joined += StripLineEnd(lines_[static_cast<std::size_t>(i)]);
        }
        // The scan starts near the page, where the scan from scanFrom would pass too.
        const std::size_t pageStart =
            starts[static_cast<std::size_t>(std::max(p, first) - scanFrom)];
        const std::vector<LinkSpan> spans = FindLinks(
            joined, look_, v_.singleByte, LinkScanStart(joined, pageStart, look_, v_.singleByte));
        std::size_t next = 0;  // spans before it end above the current line
        for (int i = std::max(p, first); i <= std::min(q, last); ++i) {
            lineSpans.clear();
            const std::size_t b = starts[static_cast<std::size_t>(i - scanFrom)];
            const std::size_t e = b + StripLineEnd(lines_[static_cast<std::size_t>(i)]).size();
            while (next < spans.size() && spans[next].end <= b)
                ++next;
            for (std::size_t k = next; k < spans.size() && spans[k].begin < e; ++k) {
                const LinkSpan& s = spans[k];
                if (s.end > b)
                    lineSpans.push_back(
                        {std::max(s.begin, b) - b, std::min(s.end, e) - b, s.underline});
            }
            PaintLine(i, colour, lineSpans);
        }
        p = q + 1;
    }
}

void PlanBuilder::PaintLine(int line, TColor paraColour, const std::vector<LinkSpan>& spans) {
    const std::string_view raw = lines_[static_cast<std::size_t>(line)];
    const std::string_view content = StripLineEnd(raw);
    const std::size_t len = content.size();
    const TabLayout layout(content, v_.tabCount);
    const std::string_view expanded = layout.Expanded();
    const int y = RowY(line);
    const int x0 = v_.textLeft - v_.horzOffset;
    auto xOf = [&](std::size_t k) {
        return x0 + m_.TextWidth(expanded.substr(0, static_cast<std::size_t>(layout.ColumnOf(k))));
    };

    int s1 = 0;
    int s2 = 0;
    bool selected = selection_ && selection_(line, s1, s2);
    bool eolSelected = false;
    if (selected) {
        eolSelected = HasCrLfEnd(raw) && s2 > static_cast<int>(len);
        s1 = std::clamp(s1, 0, static_cast<int>(len));
        s2 = std::clamp(s2, s1, static_cast<int>(len));
        selected = s2 > s1 || eolSelected;
    }
    int h1 = 0;
    int h2 = 0;
    if (v_.hitLength > 0 && v_.hitLine == line) {
        h1 = std::clamp(v_.hitX, 0, static_cast<int>(len));
        h2 = std::clamp(v_.hitX + v_.hitLength, h1, static_cast<int>(len));
    }

    std::vector<std::size_t> cuts{0, len};
    if (selected) {
        cuts.push_back(static_cast<std::size_t>(s1));
        cuts.push_back(static_cast<std::size_t>(s2));
    }
    if (h2 > h1) {
        cuts.push_back(static_cast<std::size_t>(h1));
        cuts.push_back(static_cast<std::size_t>(h2));
    }
    for (const LinkSpan& s : spans) {
        cuts.push_back(s.begin);
        cuts.push_back(s.end);
    }
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());

    auto isSelected = [&](std::size_t k) {
        return selected && static_cast<int>(k) >= s1 && static_cast<int>(k) < s2;
    };
    int xa = x0;
    for (std::size_t c = 0; c + 1 < cuts.size(); ++c) {
        const std::size_t a = cuts[c];
        const std::size_t b = cuts[c + 1];
        if (a >= b)
            continue;
        const int xb = xOf(b);
        TColor fg = paraColour;
        TColor bg = look_.Color;
        bool underline = false;
        // The search hit is also the selection: it shows in its own colour.
        if (h2 > h1 && static_cast<int>(a) >= h1 && static_cast<int>(a) < h2) {
            bg = v_.hitColour;
            fg = look_.Font.Color;
        } else if (isSelected(a)) {
            bg = look_.SelColor;
            fg = look_.Font.Color ^ kInvert;
        } else {
            for (const LinkSpan& s : spans) {
                if (a >= s.begin && a < s.end) {
                    fg = look_.URLColor;
                    underline = s.underline;
                    break;
                }
            }
        }
        if (bg != look_.Color)
            Fill(xa, y, xb - xa, v_.charHeight, bg);
        const std::size_t ca = static_cast<std::size_t>(layout.ColumnOf(a));
        const std::size_t cb = static_cast<std::size_t>(layout.ColumnOf(b));
        Text(xa, y, expanded.substr(ca, cb - ca), fg, underline);
        xa = xb;
    }
    const int xEnd = xa;

    if (HasEofMark(raw) && look_.ShowEOF)
        Text(xEnd, y, "[EOF]", look_.CREOFcolor, false);
    if (HasCrLfEnd(raw)) {
        if (eolSelected)
            Fill(xEnd, y, 8, v_.charHeight, look_.SelColor);
        if (look_.ShowCR) {
            const TColor c = eolSelected ? look_.CREOFcolor ^ kInvert : look_.CREOFcolor;
            const int xm = xEnd + 4;
            const int yb = y + markBottom_;
            Line(xm, y + markTop_, xm, yb, c);
            Line(xm, yb, xEnd + 1, yb - 3, c);
            Line(xm, yb, xEnd + 7, yb - 3, c);
        }
    }

    auto markColour = [&](std::size_t k) {
        return isSelected(k) ? look_.CREOFcolor ^ kInvert : look_.CREOFcolor;
    };
    const bool dbl = look_.ShowDblSpace && !v_.singleByte;
    if (dbl || look_.ShowSglSpace || look_.ShowTAB) {
        std::size_t tabs = 0;
        for (std::size_t k = 0; k < len;) {
            const std::size_t n = v_.singleByte ? 1 : text::CharLengthAt(content, k);
            if (n == 2 && dbl && content.substr(k, 2) == kFullWidthBlank) {
                Dotted(xOf(k) + 2, y + 2, fullBlankWidth_ - 4, v_.charHeight - 4, markColour(k));
            } else if (n == 1 && content[k] == ' ' && look_.ShowSglSpace) {
                Dotted(xOf(k) + 1, y + 1, blankWidth_ - 2, v_.charHeight - 2, markColour(k));
            } else if (n == 1 && content[k] == '\t' && look_.ShowTAB &&
                       tabs < TabLayout::kMarkedTabs) {
                ++tabs;
                const int xt = xOf(k);
                const int xe = xt + blankWidth_ - 1;
                const int ym = y + v_.charHeight / 2;
                const TColor c = markColour(k);
                Line(xt + 1, ym, xe, ym, c);
                Line(xe, ym, xe - 3, ym - 3, c);
                Line(xe, ym, xe - 3, ym + 3, c);
            }
            k += n;
        }
    }
}

}  // namespace

PaintPlan BuildPaintPlan(const TSonStrings& lines, const PaintView& view,
                         const PaintProperties& look, const platform::TextMetrics& metrics,
                         const SelectionOfLine& selection) {
    return PlanBuilder(lines, view, look, metrics, selection).Build();
}

}  // namespace varnel::editor
