// Paint planning of one page of a 10 MB text, and (with Qt) replaying that plan with
// QPainter into an image; figures per page and their ratio.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "editor/PaintPlan.h"
#include "editor/SonStrings.h"

#ifdef VARNEL_BENCH_QT
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "qt/QtFonts.h"
#include "qt/QtPainterCanvas.h"
#include "qt/QtTextMetrics.h"
#endif

using namespace varnel;

namespace {

class CellMetrics : public platform::TextMetrics {
  public:
    int TextWidth(std::string_view s) const override { return static_cast<int>(s.size()) * 10; }
    int AverageCharWidth() const override { return 10; }
    int CharHeight() const override { return 19; }
};

// Mail-like display lines: quoted Japanese, links, header lines, tabs and full-width
// blanks, and paragraphs soft-wrapped over several lines; about bytes in total.
std::vector<std::string> MailLines(std::size_t bytes) {
    const std::vector<std::string> pieces{
        "Subject: \x8c\xa9\x90\xcf\x8f\x91\x82\xcc\x8c\x8f\r\n",
        "Date: Tue, 10 Nov 2026 14:00:12 +0900\r\n",
        "> \x8c\xa9\x90\xcf\x97\x4c\x8c\xf8\x8a\xfa\x8c\xc0\x82\xcd 2026\x94\x4e "
        "http://www.example.co.jp/estimate/2026/11 \x82\xc6\x82\xb3\x82\xb9\x82\xc4\r\n",
        ">> \x96\xbe\x8d\xd7\x82\xcd\x93\x59\x95\x74\x82\xcc PDF \x82\xc6 CSV\r\n",
        "\x81\x40\x81\x40\x88\xea\x93\x5f\x82\xbe\x82\xaf\x8a\x6d\x94\x46\t\x82\xb3\x82\xb9\x82"
        "\xc4\x82\xad\x82\xbe\x82\xb3\x82\xa2\x81\x42 mailto:tanaka@example.jp",
        " \x82\xe6\x82\xeb\x82\xb5\x82\xad\x82\xa8\x8a\xe8\x82\xa2\x82\xb5\x82\xdc\x82\xb7\r\n",
        "\r\n",
    };
    std::vector<std::string> lines;
    std::size_t total = 0;
    for (std::size_t i = 0; total < bytes; ++i) {
        const std::string& p = pieces[i % pieces.size()];
        lines.push_back(p);
        total += p.size();
    }
    lines.push_back(std::string(1, '\0'));
    return lines;
}

// One paragraph of bytes, cut into soft pieces of 72 bytes.
std::vector<std::string> OneParagraph(std::size_t bytes) {
    std::vector<std::string> lines;
    const std::string unit = "\x93\xfa\x96\x7b\x8c\xea abc http://x.jp/ ";
    std::string piece;
    for (std::size_t total = 0; total < bytes;) {
        piece += unit;
        if (piece.size() >= 72) {
            total += piece.size();
            lines.push_back(piece);
            piece.clear();
        }
    }
    lines.push_back(piece + std::string(1, '\0'));
    return lines;
}

editor::PaintView PageView(int topLine) {
    editor::PaintView v;
    v.clientWidth = 800;
    v.clientHeight = 600;
    v.topMargin = 11;
    v.leftMargin = 6;
    v.textLeft = 6;
    v.charHeight = 19;
    v.linePitch = 19;
    v.cellWidth = 10;
    v.topLine = topLine;
    v.tabCount = 4;
    v.caretLine = topLine + 3;
    v.caretUnderline = true;
    return v;
}

template <typename F>
double MicrosPerCall(int rounds, F&& f) {
    const auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i)
        f();
    const auto t1 = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::micro>(t1 - t0).count() / rounds;
}

}  // namespace

int main(int argc, char** argv) {
    const std::size_t kBytes = 10u * 1024u * 1024u;
    editor::PaintProperties look;
    look.ApplyMainWindowDefaults();
    look.QuotMarkStr = ">|\x81\x84\x81\x62";
    look.SetShowRuler(true);
    look.ShowUnderLine = true;
    const editor::SelectionOfLine noSelection;
    CellMetrics cells;

    struct Text {
        const char* name;
        editor::TSonStrings store;
    } texts[2];
    texts[0].name = "mail lines";
    texts[0].store.Assign(MailLines(kBytes));
    texts[1].name = "one paragraph";
    texts[1].store.Assign(OneParagraph(kBytes));

    if (argc > 1 && std::string(argv[1]) == "--rows") {
        // Pages of the one 10 MB paragraph beside its first page, call by call and
        // alternately, after a warm-up. A call takes some microseconds, so few are cut by
        // other work on the machine and the median holds; every call is counted whole.
        editor::TSonStrings& para = texts[1].store;
        const editor::PaintView top = PageView(0);
        constexpr int kWarmUp = 100;
        constexpr int kCalls = 1000;
        for (const auto& [name, line] : {std::pair<const char*, int>{"middle", para.Count() / 2},
                                         {"last", para.Count() - 40}}) {
            const editor::PaintView view = PageView(line);
            std::vector<double> a, b;
            for (int i = 0; i < kWarmUp + kCalls; ++i) {
                const double ta = MicrosPerCall(
                    1, [&] { (void)editor::BuildPaintPlan(para, view, look, cells, noSelection); });
                const double tb = MicrosPerCall(
                    1, [&] { (void)editor::BuildPaintPlan(para, top, look, cells, noSelection); });
                if (i >= kWarmUp) {
                    a.push_back(ta);
                    b.push_back(tb);
                }
            }
            std::sort(a.begin(), a.end());
            std::sort(b.begin(), b.end());
            const double am = a[a.size() / 2];
            const double bm = b[b.size() / 2];
            std::printf(
                "ROW\tPaint plan, %s page of one 10 MB paragraph\t%.1f / %.1f us\t"
                "first page: %.1f / %.1f us\t%.2f / %.2f\t<= 2\t%.3f\n",
                name, a[0], am, b[0], bm, a[0] / b[0], am / bm, am / bm);
        }
        return 0;
    }
    std::printf("paint planning, 800x600 page, 10 MB text\n");
    for (Text& t : texts) {
        const int count = t.store.Count();
        for (int top : {0, count / 2, count - 40}) {
            const editor::PaintView view = PageView(top);
            std::size_t ops = 0;
            const double us = MicrosPerCall(200, [&] {
                ops = editor::BuildPaintPlan(t.store, view, look, cells, noSelection).ops.size();
            });
            std::printf("  %-14s %8d lines, top %8d: %8.1f us/page (%zu ops)\n", t.name, count, top,
                        us, ops);
        }
    }

#ifdef VARNEL_BENCH_QT
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const qt::QtTextMetrics metrics(qt::EditorFont("ＭＳ ゴシック", 14, -19));
    QImage image(800, 600, QImage::Format_RGB32);
    const editor::PaintView view = PageView(texts[0].store.Count() / 2);
    const editor::PaintPlan plan =
        editor::BuildPaintPlan(texts[0].store, view, look, metrics, noSelection);
    const double planUs = MicrosPerCall(200, [&] {
        (void)editor::BuildPaintPlan(texts[0].store, view, look, metrics, noSelection);
    });
    const double paintUs = MicrosPerCall(50, [&] {
        QPainter painter(&image);
        qt::QtPainterCanvas canvas(painter, metrics, false);
        plan.Replay(canvas);
    });
    std::printf("QPainter into a QImage, IPAGothic %d px (cell %d px), middle page:\n",
                metrics.Font().pixelSize(), metrics.AverageCharWidth());
    std::printf("  planning %.1f us, painting %.1f us per page; painting/planning %.1f\n", planUs,
                paintUs, paintUs / planUs);
#else
    (void)argc;
    (void)argv;
#endif
    return 0;
}
