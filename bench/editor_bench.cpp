// Editor engine on generated mail-like text at two sizes (5 MB / 100k lines and
// 10 MB / 200k lines): load, full wrap and unwrap, keystrokes in the middle, undo of 10k
// edits and replace-all, each printed beside its aim and with the ratio of the sizes.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "editor/SonEdit.h"
#include "fakes/EditorFakes.h"
#include "fakes/Fakes.h"
#include "text/Sjis.h"

using namespace varnel;
using Clock = std::chrono::steady_clock;

namespace {

// Lines of about 50 bytes: ASCII words, double-byte text, quotes; every 40th paragraph
// is long enough to wrap into several display lines; "needle" on every needleEvery-th line,
// always one of the short lines, so that each hit costs the same at every size.
std::string Generate(int lines, int needleEvery = 20) {
    std::mt19937 rng(7);
    const char* words[] = {"mail ",
                           "the ",
                           "viewer ",
                           "> quoted ",
                           "\x82\xA0\x82\xA2 ",
                           "\x8A\xBF\x8E\x9A ",
                           "http://example.com/ ",
                           "\t"};
    std::string text;
    text.reserve(static_cast<std::size_t>(lines) * 52);
    for (int i = 0; i < lines; ++i) {
        const std::size_t target = i % 40 == 0 ? 400 : 14 + rng() % 50;
        std::string line;
        if (i % needleEvery == 1)
            line += "needle ";
        while (line.size() < target)
            line += words[rng() % 8];
        text += line;
        text += "\r\n";
    }
    return text;
}

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

struct Figures {
    double bytes = 0, load = 0, wrap = 0, unwrap = 0, key = 0, enter = 0, back = 0, undo = 0,
           replace = 0;
    int replaced = 0;
};

Figures Run(int lines, int needleEvery = 20) {
    Figures f;
    fakes::CellTextMetrics metrics;
    fakes::MemoryClipboard clipboard;
    fakes::ScriptedPrompter prompter;
    editor::TSonEdit e(metrics, clipboard, prompter);
    e.SetClientSize(800, 600);
    e.SetWrap(false, false);
    e.SetColumn(72);
    const std::string text = Generate(lines, needleEvery);
    f.bytes = static_cast<double>(text.size());

    auto t = Clock::now();
    e.SetText(text);
    f.load = Ms(Clock::now() - t);

    t = Clock::now();
    e.SetWrap(true, true);
    f.wrap = Ms(Clock::now() - t);
    t = Clock::now();
    e.SetWrap(false, true);
    f.unwrap = Ms(Clock::now() - t);
    e.SetWrap(true, false);

    // Keystrokes in the middle of the text, wrapping on.
    const int middle = e.Lines().Count() / 2;
    e.MoveCaretTo(5, middle);
    const int keys = 2000;
    t = Clock::now();
    for (int i = 0; i < keys; ++i)
        e.TypeText("x");
    f.key = Ms(Clock::now() - t) / keys;
    t = Clock::now();
    for (int i = 0; i < 200; ++i)
        e.KeyDown(editor::vk::kReturn, editor::kShiftNone);
    f.enter = Ms(Clock::now() - t) / 200;
    t = Clock::now();
    for (int i = 0; i < 200; ++i)
        e.KeyDown(editor::vk::kBack, editor::kShiftNone);
    f.back = Ms(Clock::now() - t) / 200;

    // 10k edits spread over the whole text, then 10k undos.
    e.ResetUndo();
    std::mt19937 rng(11);
    for (int i = 0; i < 10000; ++i) {
        e.MoveCaretTo(static_cast<int>(rng() % 20),
                      static_cast<int>(rng() % static_cast<unsigned>(e.Lines().Count())));
        e.TypeText(i % 3 == 0 ? "ab\r\n" : "ab");
    }
    t = Clock::now();
    for (int i = 0; i < 10000; ++i)
        e.Undo();
    f.undo = Ms(Clock::now() - t);

    e.OnFind = [](const std::string& str, const std::string& what, int, int& x, int& len) {
        const std::size_t p = text::Find(str, what);
        x = p == text::npos ? 0 : static_cast<int>(p) + 1;
        len = static_cast<int>(what.size());
    };
    e.MoveCaretTo(0, 0);
    t = Clock::now();
    f.replaced = e.FindChange("needle", "needles");
    f.replace = Ms(Clock::now() - t);
    return f;
}

}  // namespace

// Rows for `make bench`: the text doubled with the same number of hits and edits, run
// alternately three times; min / median of each and their ratio.
int Rows() {
    const int base = 200000;
    std::vector<Figures> small, large;
    for (int round = 0; round < 3; ++round) {
        small.push_back(Run(base, 20));
        large.push_back(Run(2 * base, 40));
    }
    const auto report = [&](const char* name, double Figures::*field, const char* aim) {
        std::vector<double> a, b;
        for (const Figures& f : small)
            a.push_back(f.*field);
        for (const Figures& f : large)
            b.push_back(f.*field);
        std::sort(a.begin(), a.end());
        std::sort(b.begin(), b.end());
        std::printf(
            "ROW\t%s, text doubled (200k -> 400k lines), same hits\t%.1f / %.1f ms\t"
            "200k lines: %.1f / %.1f ms\t%.2f / %.2f\t%s\t%.3f\n",
            name, b[0], b[1], a[0], a[1], b[0] / a[0], b[1] / a[1], aim, b[1] / a[1]);
    };
    report("Replace-all, 10k hits", &Figures::replace, "<= 1.3");
    report("10k undos, spread edits", &Figures::undo, "<= 1.3");
    report("Full wrap (for scale)", &Figures::wrap, "");
    return 0;
}

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--rows")
        return Rows();
    if (argc > 1) {
        const Figures f = Run(std::atoi(argv[1]));
        std::printf(
            "load %.1f wrap %.1f unwrap %.1f key %.3f enter %.3f back %.3f undo %.1f replace %.1f "
            "(%d)\n",
            f.load, f.wrap, f.unwrap, f.key, f.enter, f.back, f.undo, f.replace, f.replaced);
        return 0;
    }
    const Figures small = Run(100000);
    const Figures large = Run(200000);
    std::printf("editor engine, fixed-pitch test metric, Column 72\n");
    std::printf("%-34s %12s %12s %8s   %s\n", "", "100k lines", "200k lines", "ratio", "aim");
    const auto row = [](const char* name, double a, double b, const char* aim) {
        std::printf("%-34s %12.3f %12.3f %8.2f   %s\n", name, a, b, a > 0 ? b / a : 0.0, aim);
    };
    std::printf("%-34s %12.1f %12.1f\n", "text size (MB)", small.bytes / 1e6, large.bytes / 1e6);
    row("load (ms)", small.load, large.load, "");
    row("full wrap (ms)", small.wrap, large.wrap, "<= 300 ms");
    row("full unwrap (ms)", small.unwrap, large.unwrap, "<= 300 ms");
    row("keystroke, middle, wrapped (ms)", small.key, large.key, "<= 1 ms");
    row("Enter, middle, wrapped (ms)", small.enter, large.enter, "<= 1 ms");
    row("Backspace, middle, wrapped (ms)", small.back, large.back, "<= 1 ms");
    row("10k undos, spread edits (ms)", small.undo, large.undo, "<= 1000 ms");
    row("replace-all (ms)", small.replace, large.replace, "linear");
    std::printf("%-34s %12d %12d\n", "replacements", small.replaced, large.replaced);
    return 0;
}
