// An owned Unix-domain stream socket with deadline-bounded connect, send and receive.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace varnel::link {

using Deadline = std::chrono::steady_clock::time_point;

class UnixSocket {
  public:
    enum class ConnectResult { Connected, NoListener, TimedOut, Failed };

    UnixSocket() = default;
    explicit UnixSocket(int fd) : fd_(fd) {}
    ~UnixSocket();
    UnixSocket(UnixSocket&& other) noexcept;
    UnixSocket& operator=(UnixSocket&& other) noexcept;
    UnixSocket(const UnixSocket&) = delete;
    UnixSocket& operator=(const UnixSocket&) = delete;

    int Fd() const { return fd_; }
    bool IsOpen() const { return fd_ >= 0; }
    void Close();

    // Connects to the socket at path. A listener whose queue is full is retried until
    // the deadline. NoListener: no socket file, or nobody accepts on it.
    ConnectResult Connect(const std::string& path, Deadline deadline);
    // Writes all of data; false on error or when the deadline passes.
    bool SendAll(std::string_view data, Deadline deadline);
    // Reads one byte; nullopt on end of stream, error or deadline.
    std::optional<char> ReceiveByte(Deadline deadline);

    // The uid of the process at the other end (SO_PEERCRED), nullopt when unknown.
    std::optional<uid_t> PeerUid() const;

    // True when path fits in a socket address.
    static bool FitsAddress(const std::string& path);

  private:
    bool WaitFor(short events, Deadline deadline);
    int fd_ = -1;
};

}  // namespace varnel::link
