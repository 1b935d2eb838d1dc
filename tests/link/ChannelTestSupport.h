// Helpers for channel tests: a private temporary runtime directory and a server
// served on a background thread.
#pragma once

#include <poll.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "link/UnixCommandServer.h"

namespace varnel::testing {

class TempDir {
  public:
    TempDir() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "vlinkXXXXXX").string();
        path = ::mkdtemp(tmpl.data());
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    std::string path;
};

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
