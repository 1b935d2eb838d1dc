// Reformat throughput on generated Japanese mail text (paragraphs broken at odd widths,
// quoted paragraphs, lists, a link, one long unbroken line per hundred paragraphs) at
// 100 KB, 1 MB and 10 MB, measured side by side in one run; the per-byte cost should
// stay flat. A plain copy of the same lines is timed beside it as the floor.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "mail/Reformat.h"
#include "text/Cp932.h"

using namespace varnel;
using Clock = std::chrono::steady_clock;

namespace {

std::vector<std::string> Paragraph(unsigned n) {
    static const std::vector<std::string> kPieces = {
        text::Utf8ToCp932("今日は朝から雨が降っていましたが、午後には晴れてきたので"),
        text::Utf8ToCp932("散歩に出かけることにしました。「来年こそは満開の時期に"),
        text::Utf8ToCp932("来よう」と思いました（本当に）。資料は次のページにあります"),
        text::Utf8ToCp932("> > 先日の会議の件ですが、資料の準備はどうなっていますか"),
        text::Utf8ToCp932("① 日程の調整、② 会場の予約、③ 予算の見積もりについて"),
        "http://www.example.co.jp/very/long/path/to/the/document/index.html?q=1",
    };
    std::vector<std::string> lines;
    const unsigned kind = n % 6;
    for (unsigned i = 0; i < 4; ++i) {
        std::string l = kind == 3 ? kPieces[3] : kPieces[(n + i) % 3];
        if (kind == 4 && i == 0)
            l = kPieces[4];
        if (kind == 5 && i == 2)
            l += " " + kPieces[5];
        lines.push_back(l.substr(0, 40 + (n * 7 + i * 13) % 40 / 2 * 2));
    }
    if (n % 100 == 99) {
        std::string longLine;
        while (longLine.size() < 4000)
            longLine += kPieces[n % 3];
        lines.push_back(longLine);
    }
    lines.emplace_back();
    return lines;
}

std::vector<std::string> Text(std::size_t bytes) {
    std::vector<std::string> lines{"Subject: bench", ""};
    std::size_t size = 0;
    for (unsigned n = 0; size < bytes; ++n) {
        for (auto& l : Paragraph(n)) {
            size += l.size() + 2;
            lines.push_back(std::move(l));
        }
    }
    return lines;
}

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

}  // namespace

int main() {
    const mail::ReformatOptions options = mail::DefaultReformatOptions();
    std::printf("%-8s %10s %10s %10s %12s\n", "size", "lines", "reformat", "copy", "ns/byte");
    double perByte100k = 0, copy100k = 0;
    for (const std::size_t size :
         {std::size_t{100} << 10, std::size_t{1} << 20, std::size_t{10} << 20}) {
        const std::vector<std::string> text = Text(size);
        double best = 1e30, copyBest = 1e30;
        for (int run = 0; run < 3; ++run) {
            auto t0 = Clock::now();
            std::vector<std::string> copy = text;
            auto t1 = Clock::now();
            mail::ReformatLines(copy, 2, options);
            auto t2 = Clock::now();
            copyBest = std::min(copyBest, Ms(t1 - t0));
            best = std::min(best, Ms(t2 - t1));
        }
        const double perByte = best * 1e6 / static_cast<double>(size);
        const double copyPerByte = copyBest * 1e6 / static_cast<double>(size);
        if (perByte100k == 0) {
            perByte100k = perByte;
            copy100k = std::max(copyPerByte, 1e-3);
        }
        // The copy's own growth shows what the memory system adds once the text
        // outgrows the caches.
        std::printf("%-8s %10zu %8.1f ms %8.1f ms %9.1f ns (x%.2f of 100 KB; copy x%.2f)\n",
                    size < (1u << 20)    ? "100 KB"
                    : size < (10u << 20) ? "1 MB"
                                         : "10 MB",
                    text.size(), best, copyBest, perByte, perByte / perByte100k,
                    copyPerByte / copy100k);
    }
    return 0;
}
