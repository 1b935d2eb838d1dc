// Display-decode throughput on a generated 20 MB mail with Base64 attachments, beside
// Python's email package (parse and walk the same file) and `wc -l`, in one run.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "mail/BodyPass.h"
#include "mail/DecodeMail.h"

using namespace varnel::mail;
using Clock = std::chrono::steady_clock;

namespace {

std::string Base64Line(std::size_t n, unsigned seed) {
    static const char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string s(n, 'A');
    for (std::size_t i = 0; i < n; ++i) {
        seed = seed * 1103515245u + 12345u;
        s[i] = kAlphabet[(seed >> 16) & 63];
    }
    return s;
}

// About 20 MB: a Japanese text part, an alternative with HTML, and five attachments.
std::string GenerateMail() {
    std::string m;
    m += "X-Status: RECV\r\nFrom: sender@example.com\r\nTo: reader@example.com\r\n";
    m += "Subject: bench\r\nDate: Mon, 1 Jan 2024 09:00:00 +0900\r\nMIME-Version: 1.0\r\n";
    m += "Content-Type: multipart/mixed;\r\n boundary=\"outer-boundary\"\r\n\r\n";
    m += "This is a multi-part message in MIME format.\r\n\r\n";
    m += "--outer-boundary\r\nContent-Type: multipart/alternative; boundary=\"alt\"\r\n\r\n";
    m += "--alt\r\nContent-Type: text/plain; charset=iso-2022-jp\r\n\r\n";
    for (int i = 0; i < 2000; ++i)
        m += "\x82\xb1\x82\xea\x82\xcd\x96\x7b\x95\xb6\x82\xc5\x82\xb7\x81\x42 line\r\n";
    m += "--alt\r\nContent-Type: text/html; charset=iso-2022-jp\r\n\r\n";
    for (int i = 0; i < 2000; ++i)
        m += "<p>html line</p>\r\n";
    m += "--alt--\r\n\r\n";
    unsigned seed = 1;
    for (int a = 0; a < 5; ++a) {
        m += "--outer-boundary\r\nContent-Type: application/octet-stream;\r\n";
        m += " name=\"=?ISO-2022-JP?B?GyRCO3FOQRsoQg==?=" + std::to_string(a) + ".bin\"\r\n";
        m += "Content-Transfer-Encoding: base64\r\n\r\n";
        for (int i = 0; i < 52000; ++i) {
            m += Base64Line(76, seed++);
            m += "\r\n";
        }
        m += Base64Line(40, seed++) + "==\r\n\r\n";
    }
    m += "--outer-boundary--\r\n";
    return m;
}

// The body pass through RunBodyPass, with the whole file held as one string per line.
std::size_t DecodeFromLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    std::string all(static_cast<std::size_t>(in.tellg()), '\0');
    in.seekg(0);
    in.read(all.data(), static_cast<std::streamsize>(all.size()));
    std::vector<std::string> lines;
    lines.reserve(all.size() / 64);
    for (std::size_t pos = 0; pos < all.size();) {
        std::size_t nl = all.find('\n', pos);
        if (nl == std::string::npos)
            nl = all.size();
        const std::size_t end = nl > pos && all[nl - 1] == '\r' ? nl - 1 : nl;
        lines.emplace_back(all.data() + pos, end - pos);
        pos = nl + 1;
    }
    TopLevelContentReader reader(false);
    std::size_t i = 0;
    for (; i < lines.size() && !lines[i].empty() && lines[i][0] != '-'; ++i)
        reader.FeedLine(lines[i]);
    std::vector<std::string> display;
    const std::vector<std::string_view> views(lines.begin(), lines.end());
    RunBodyPass(views, i + 1, reader.Result(), BodyPassOptions{}, display);
    return display.size();
}

// The whole decode as opening a mail runs it (header pass, display header, body pass
// over views into the file's bytes).
std::size_t DecodeWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    std::string all(static_cast<std::size_t>(in.tellg()), '\0');
    in.seekg(0);
    in.read(all.data(), static_cast<std::streamsize>(all.size()));
    DecodeState state;
    return DecodeMailForDisplay(path, all, HeaderOptions{}, state).lines.size();
}

template <class F>
double BestSeconds(int runs, F&& f) {
    double best = 1e9;
    for (int r = 0; r < runs; ++r) {
        const auto t0 = Clock::now();
        f();
        best = std::min(best, std::chrono::duration<double>(Clock::now() - t0).count());
    }
    return best;
}

// Runs a command through the shell (bench only) and returns its standard output.
std::string Capture(const std::string& cmd) {
    std::string out;
    if (FILE* p = popen(cmd.c_str(), "r")) {
        char buf[256];
        while (std::fgets(buf, sizeof buf, p))
            out += buf;
        pclose(p);
    }
    return out;
}

}  // namespace

int main() {
    char dir[] = "/tmp/mime-bench-XXXXXX";
    if (!mkdtemp(dir))
        return 1;
    const std::string path = std::string(dir) + "/mail.txt";
    const std::string mail = GenerateMail();
    std::ofstream(path, std::ios::binary)
        .write(mail.data(), static_cast<std::streamsize>(mail.size()));
    const double mb = static_cast<double>(mail.size()) / (1024.0 * 1024.0);

    std::size_t shown = 0;
    DecodeWhole(path);  // warm the page cache
    const double ours = BestSeconds(5, [&] { shown = DecodeWhole(path); });

    std::size_t shownFromLines = 0;
    const double fromLines = BestSeconds(5, [&] { shownFromLines = DecodeFromLines(path); });

    const double wc = BestSeconds(5, [&] {
        const std::string cmd = "wc -l < '" + path + "' > /dev/null";
        if (std::system(cmd.c_str()) != 0)
            std::fprintf(stderr, "wc failed\n");
    });

    // Python times its own parse and walk (interpreter start-up left out).
    const std::string py =
        "python3 -c 'import email,sys,time\n"
        "best=1e9\n"
        "for _ in range(3):\n"
        "  t=time.perf_counter()\n"
        "  m=email.message_from_binary_file(open(sys.argv[1],\"rb\"))\n"
        "  n=sum(len(p.get_payload()) for p in m.walk() if not p.is_multipart())\n"
        "  best=min(best,time.perf_counter()-t)\n"
        "print(best)' '" +
        path + "'";
    const double python = std::atof(Capture(py).c_str());

    std::printf("mail: %.1f MB, %zu display lines\n", mb, shown);
    std::printf("DecodeMailForDisplay:    %8.1f ms  (%.0f MB/s)\n", ours * 1e3, mb / ours);
    std::printf("  body pass, all lines held: %8.1f ms  (%zu display lines)\n", fromLines * 1e3,
                shownFromLines);
    std::printf("python email parse+walk: %6.1f ms\n", python * 1e3);
    std::printf("wc -l (incl. spawn):   %8.1f ms\n", wc * 1e3);
    std::printf("ratio python/varnel: %.1fx (target >= 10x)\n", python / ours);
    std::printf("ratio varnel/wc -l:  %.2fx (target <= 3x)\n", ours / wc);
    std::remove(path.c_str());
    rmdir(dir);
    return 0;
}
