// Navigation over large folders: one thread step and one number step, in the store
// core and through the window (with the test fakes), on stores of 1,000, 10,000 and
// 100,000 received mails. The 100,000-mail folder has index files only: mail numbers
// end at 9999, so it measures how the record scans grow, not a store the mailer keeps.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

#include "StoreGenerator.h"
#include "TempDir.h"
#include "app/CommandTable.h"
#include "app/FormFakes.h"
#include "store/FolderIndex.h"
#include "store/MailStepping.h"
#include "store/ThreadNavigator.h"

using namespace varnel;
namespace fs = std::filesystem;

namespace {

// Median of runs, in microseconds.
double MedianUs(int runs, const std::function<void()>& f) {
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) {
        const auto a = std::chrono::steady_clock::now();
        f();
        t.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - a)
                        .count());
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

// Index files only, for folders beyond the mail-number range.
void WriteIndexOnly(const std::string& path, bool sent, long count) {
    std::string bytes = store::FolderIndex::NewHeader();
    bytes.append(store::kIndexRecordSize, '\0');  // record 0: empty slot
    for (long i = 1; i <= count; ++i) {
        const auto r = store::EncodeIndexRecord(pelkmail::GeneratedRecord(sent, i));
        bytes.append(r.data(), r.size());
    }
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string Name(long i) {
    return std::to_string(10000 + i % 10000).substr(1) + ".txt";
}

struct Row {
    long mails;
    double threadTypical, threadWorst, threadBase, numberStep, windowNumber, windowThread;
};

Row Measure(long n) {
    testing::TempDir dir;
    const std::string home = dir / "pelk";
    std::string error;
    const bool files = n <= 9999;
    if (files) {
        if (!pelkmail::GenerateStore(home, n, error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            std::exit(1);
        }
    } else {
        fs::create_directories(home + "/in");
        fs::create_directories(home + "/sent");
        WriteIndexOnly(home + "/in.fld", false, n);
        WriteIndexOnly(home + "/sent.fld", true, pelkmail::GeneratedSentCount(n));
    }
    const auto mail = [&](long i) { return home + "/in/" + Name(i); };
    store::ThreadNavigator nav({}, [](const std::string&) {});
    // A question in the middle (at most mail 9601, the last numbers a file name can
    // carry): its answer is our reply in sent/. Nothing in its own folder answers it, so
    // the same-folder search runs to the folder's end.
    const long q = std::min((n / 2) / 4 * 4 + 1, 9601L);
    Row row{n, 0, 0, 0, 0, 0, 0};
    int found = 0;
    row.threadTypical = MedianUs(51, [&] {
        nav.Reset(q);
        found += nav.Down(mail(q)).found();
    });
    // An unrelated notice near the start: nothing answers it, so both folders are
    // scanned to their ends.
    row.threadWorst = MedianUs(11, [&] {
        nav.Reset(4);
        found += nav.Down(home + "/in/0004.txt").found();
    });
    row.threadBase = MedianUs(51, [&] {
        nav.Reset(q + 2);
        found += nav.Base(mail(q + 2)).found();
    });
    if (files) {
        row.numberStep = MedianUs(201, [&] {
            found += !store::NeighboursOf(mail(q), "", store::FileExistsOnDisk).next.empty();
        });
        // Through the window: the step, the open of the found mail and its history entry.
        testing::FormFakes fakes;
        const std::string ini = dir.Write("varnel32.ini", "[View]\r\nNextMailMode=0\r\n");
        auto form = fakes.StartForm({mail(q)}, ini, dir.path(), {{"PELKHOME", home}});
        fakes.timer1.Tick();
        app::RunCommand(*form, "Next1");
        if (form->CurrentMailFile != mail(q + 1))
            std::printf("(the window did not step: %s)\n", form->CurrentMailFile.c_str());
        app::RunCommand(*form, "Back1");
        row.windowNumber = MedianUs(51,
                                    [&] {
                                        app::RunCommand(*form, "Next1");
                                        app::RunCommand(*form, "Back1");
                                    }) /
                           2;
        row.windowThread = MedianUs(51,
                                    [&] {
                                        app::RunCommand(*form, "ThreadDown1");
                                        app::RunCommand(*form, "Back2");
                                    }) /
                           2;
    }
    if (found == 0)
        std::printf("(nothing found)\n");
    return row;
}

}  // namespace

int main() {
    std::printf("navigation bench: median microseconds per command\n");
    std::printf("%8s %12s %12s %12s %12s %14s %14s\n", "mails", "thread-down", "down-worst",
                "thread-base", "number-step", "window-number", "window-thread");
    std::vector<Row> rows;
    for (long n : {1000L, 9999L, 100000L}) {
        const Row r = Measure(n);
        rows.push_back(r);
        std::printf("%8ld %12.1f %12.1f %12.1f %12.1f %14.1f %14.1f\n", r.mails, r.threadTypical,
                    r.threadWorst, r.threadBase, r.numberStep, r.windowNumber, r.windowThread);
    }
    std::printf("ratios 10k/1k: down-worst %.1f, number-step %.1f; 100k/10k: down-worst %.1f\n",
                rows[1].threadWorst / rows[0].threadWorst, rows[1].numberStep / rows[0].numberStep,
                rows[2].threadWorst / rows[1].threadWorst);
    return 0;
}
