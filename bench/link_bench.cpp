// Latency of one open request on the channel with no other client, and with twenty
// clients that connected and said nothing, measured side by side in one run.
#include <poll.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "link/UnixCommandChannel.h"
#include "link/UnixCommandServer.h"
#include "link/UnixSocket.h"

using namespace varnel;
using Clock = std::chrono::steady_clock;

namespace {

double MedianMs(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double WorstMs(const std::vector<double>& v) {
    return *std::max_element(v.begin(), v.end());
}

std::vector<double> Requests(const std::string& dir, int n) {
    link::UnixCommandChannel channel(dir, 5000);
    std::vector<double> ms;
    for (int i = 0; i < n; ++i) {
        const auto start = Clock::now();
        if (channel.Execute("Varnel32", "system", "[open(\"/x/0001.txt\")]") !=
            platform::Delivery::Delivered) {
            std::fprintf(stderr, "request %d not delivered\n", i);
            std::exit(1);
        }
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return ms;
}

}  // namespace

int main() {
    char tmpl[] = "/tmp/varnel-link-bench-XXXXXX";
    const std::string dir = ::mkdtemp(tmpl);
    link::UnixCommandServer server(dir, "Varnel32", "system", [](const std::string&) {
        return platform::ExecuteResult{true, {}};
    });
    server.SetReadTimeout(std::chrono::seconds(60));  // the idle ones stay for the whole run
    std::string error;
    if (server.Listen(error) != link::UnixCommandServer::ListenResult::Listening) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    std::atomic<bool> stop{false};
    std::thread serving([&] {
        while (!stop) {
            std::vector<pollfd> fds;
            for (int fd : server.PollFds())
                fds.push_back({fd, POLLIN, 0});
            ::poll(fds.data(), fds.size(), 20);
            server.ProcessPending();
        }
    });

    const int n = 200;
    const auto alone = Requests(dir, n);
    std::vector<link::UnixSocket> idle(20);
    for (auto& s : idle)
        s.Connect(server.SocketPath(), Clock::now() + std::chrono::seconds(5));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));  // all accepted
    const auto crowded = Requests(dir, n);

    std::printf("open request, %d times       median     worst\n", n);
    std::printf("  no other client         %7.3f ms %7.3f ms\n", MedianMs(alone), WorstMs(alone));
    std::printf("  20 idle connections     %7.3f ms %7.3f ms\n", MedianMs(crowded),
                WorstMs(crowded));
    std::printf("  ratio (median)          %7.2f\n", MedianMs(crowded) / MedianMs(alone));
    stop = true;
    serving.join();
    server.Stop();
    ::rmdir(dir.c_str());
    return 0;
}
