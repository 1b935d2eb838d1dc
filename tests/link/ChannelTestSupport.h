// Helpers for channel tests: a server served on a background thread (and the shared
// temporary directory).
#pragma once

#include <poll.h>

#include <atomic>
#include <thread>

#include "app/TempDir.h"
#include "link/UnixCommandServer.h"

namespace varnel::testing {

// Runs server.ProcessPending whenever its socket is readable, until destroyed.
class ServerThread {
  public:
    explicit ServerThread(link::UnixCommandServer& server)
        : thread_([this, &server] {
              while (!stop_) {
                  pollfd p{server.PollFd(), POLLIN, 0};
                  if (::poll(&p, 1, 20) > 0)
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
