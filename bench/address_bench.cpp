// Address splitting of a 1 MB To line, as opening a mail does it (aim: under 50 ms),
// beside two references measured in the same run: a plain comma split of the same line
// (the floor: one look at every byte) and Python's email.utils.getaddresses.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "mail/Addresses.h"
#include "mail/DecodeMail.h"

using namespace varnel::mail;
using Clock = std::chrono::steady_clock;

namespace {

// About 1 MB of the address shapes real To lines hold: bare, named, quoted names with
// a comma, Japanese names, trailing comments.
std::string ToLine(std::size_t bytes) {
    std::string s = "To: ";
    for (int i = 0; s.size() < bytes; ++i) {
        const std::string n = std::to_string(i);
        switch (i % 5) {
            case 0:
                s += "user" + n + "@example.co.jp";
                break;
            case 1:
                s += "Taro Yamada " + n + " <taro" + n + "@example.jp>";
                break;
            case 2:
                s += "\"Yamada, Hanako\" <hanako" + n + "@example.jp>";
                break;
            case 3:
                s += "\x8E\x52\x93\x63\x89\xD4\x8E\x71 <h" + n + "@example.ne.jp>";  // 山田花子
                break;
            default:
                s += "<k" + n + "@example.org> (Sales, Tokyo)";
                break;
        }
        s += ", ";
    }
    return s;
}

template <class F>
double BestMs(int runs, F&& f) {
    double best = 1e12;
    for (int r = 0; r < runs; ++r) {
        const auto t0 = Clock::now();
        f();
        best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
    }
    return best;
}

std::size_t SplitOnce(const std::string& line) {
    std::size_t n = 0;
    std::string pending;
    bool toMe = false;
    SplitAddresses(line, pending, "me@example.jp", toMe, [&](const std::string&) { ++n; });
    return n + !pending.empty();
}

std::size_t CommaSplit(const std::string& line) {
    std::vector<std::string> pieces;
    for (std::size_t pos = 0; pos < line.size();) {
        std::size_t c = line.find(',', pos);
        if (c == std::string::npos)
            c = line.size();
        pieces.emplace_back(line, pos, c + 1 - pos);
        pos = c + 1;
    }
    return pieces.size();
}

}  // namespace

int main() {
    const std::string line = ToLine(1 << 20);
    std::size_t ours = 0, floor = 0, repaired = 0;
    const double oursMs = BestMs(5, [&] { ours = SplitOnce(line); });
    const double floorMs = BestMs(5, [&] { floor = CommaSplit(line); });
    const double repairMs = BestMs(5, [&] { repaired = RepairAddressList(line.substr(4)).size(); });

    // Opening a mail with that To line: header pass, display lines, mark-read check.
    const std::string mail =
        "X-Status: READ\r\nFrom: a@example.jp\r\n" + line +
        "\r\nSubject: many\r\nDate: Mon, 7 Dec 2026 09:00:00 +0900\r\n\r\nbody\r\n";
    std::size_t shown = 0;
    const double openMs = BestMs(3, [&] {
        shown = DecodeMailForDisplay("/home/u/Pelk/in/0001.txt", mail, HeaderOptions{}, {})
                    .lines.size();
    });

    std::printf("To line: %zu bytes, %zu addresses (%zu comma pieces)\n", line.size(), ours, floor);
    std::printf("  SplitAddresses (one pass)      %8.2f ms   %.1fx the comma split\n", oursMs,
                oursMs / floorMs);
    std::printf("  plain comma split (floor)      %8.2f ms\n", floorMs);
    std::printf("  RepairAddressList (FixAddress) %8.2f ms   (%zu bytes out)\n", repairMs,
                repaired);
    std::printf("  open the mail (whole decode)   %8.2f ms   (%zu display lines)\n", openMs, shown);
    std::printf("  aim: under 50 ms for the split: %s\n", oursMs < 50 ? "met" : "MISSED");

    // Python's email.utils.getaddresses on the same line, timed inside Python.
    char path[] = "/tmp/address-bench-XXXXXX";
    const int fd = mkstemp(path);
    if (fd >= 0 && write(fd, line.data(), line.size()) == static_cast<ssize_t>(line.size())) {
        const std::string cmd = std::string(
                                    "python3 -c \"import sys,time,email.utils as u\n"
                                    "s=open(sys.argv[1],encoding='latin-1').read()[4:]\n"
                                    "t=time.perf_counter();n=len(u.getaddresses([s]))\n"
                                    "print('%.2f %d'%((time.perf_counter()-t)*1000,n))\" ") +
                                path + " 2>/dev/null";
        if (FILE* p = popen(cmd.c_str(), "r")) {
            double ms = 0;
            std::size_t n = 0;
            if (std::fscanf(p, "%lf %zu", &ms, &n) == 2)
                std::printf(
                    "  Python email.utils.getaddresses %7.2f ms   (%zu addresses; ours %.1fx "
                    "faster)\n",
                    ms, n, ms / oursMs);
            pclose(p);
        }
    }
    if (fd >= 0) {
        close(fd);
        unlink(path);
    }
    return ours == 0;
}
