// Helpers for channel tests: a server served on a background thread (and the shared
// temporary directory).
#pragma once

#include <poll.h>

#include <atomic>
#include <thread>
#include <vector>

#include "TempDir.h"
#include "link/UnixCommandServer.h"

namespace varnel::testing {

// Runs server.ProcessPending whenever one of its sockets is readable (and every 20 ms,
// for the deadlines), until destroyed.
class ServerThread {
  public:
    explicit ServerThread(link::UnixCommandServer& server)
        : thread_([this, &server] {
              while (!stop_) {
                  std::vector<pollfd> fds;
                  for (int fd : server.PollFds())
                      fds.push_back({fd, POLLIN, 0});
                  ::poll(fds.data(), fds.size(), 20);
                  server.ProcessPending();
              }
          }) {}
    ~ServerThread() {
        stop_ = true;
        thread_.join();
    }

  private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace varnel::testing
