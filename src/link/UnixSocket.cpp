// Non-blocking Unix-domain socket operations bounded by a deadline, so a hung peer
// never freezes the caller.
#include "link/UnixSocket.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>

namespace varnel::link {
namespace {

int MillisecondsUntil(Deadline deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    return left.count() <= 0 ? 0 : static_cast<int>(left.count());
}

}  // namespace

UnixSocket::~UnixSocket() {
    Close();
}

UnixSocket::UnixSocket(UnixSocket&& other) noexcept : fd_(other.fd_) {
    other.fd_ = -1;
}

UnixSocket& UnixSocket::operator=(UnixSocket&& other) noexcept {
    if (this != &other) {
        Close();
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

void UnixSocket::Close() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

bool UnixSocket::FitsAddress(const std::string& path) {
    return !path.empty() && path.size() < sizeof(sockaddr_un{}.sun_path);
}

UnixSocket::ConnectResult UnixSocket::Connect(const std::string& path, Deadline deadline) {
    Close();
    if (!FitsAddress(path))
        return ConnectResult::Failed;
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    for (;;) {
        fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (fd_ < 0)
            return ConnectResult::Failed;
        if (::connect(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0)
            return ConnectResult::Connected;
        const int err = errno;
        Close();
        if (err == ENOENT || err == ECONNREFUSED || err == ENOTDIR)
            return ConnectResult::NoListener;
        // EAGAIN: the listener's queue is full (it is busy or hung); try again shortly.
        if (err != EAGAIN && err != EINTR)
            return ConnectResult::Failed;
        if (MillisecondsUntil(deadline) == 0)
            return ConnectResult::TimedOut;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

bool UnixSocket::WaitFor(short events, Deadline deadline) {
    for (;;) {
        pollfd p{fd_, events, 0};
        const int n = ::poll(&p, 1, MillisecondsUntil(deadline));
        if (n > 0)
            return true;
        if (n == 0 || errno != EINTR)
            return false;
    }
}

bool UnixSocket::SendAll(std::string_view data, Deadline deadline) {
    while (!data.empty()) {
        const ssize_t n = ::send(fd_, data.data(), data.size(), MSG_NOSIGNAL);
        if (n > 0) {
            data.remove_prefix(static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            if (!WaitFor(POLLOUT, deadline))
                return false;
            continue;
        }
        return false;
    }
    return true;
}

std::optional<char> UnixSocket::ReceiveByte(Deadline deadline) {
    for (;;) {
        char c = 0;
        const ssize_t n = ::recv(fd_, &c, 1, 0);
        if (n == 1)
            return c;
        if (n == 0)
            return std::nullopt;
        if (errno != EAGAIN && errno != EINTR)
            return std::nullopt;
        if (!WaitFor(POLLIN, deadline))
            return std::nullopt;
    }
}

std::optional<uid_t> UnixSocket::PeerUid() const {
    ucred cred{};
    socklen_t len = sizeof cred;
    if (::getsockopt(fd_, SOL_SOCKET, SO_PEERCRED, &cred, &len) != 0 || len != sizeof cred)
        return std::nullopt;
    return cred.uid;
}

}  // namespace varnel::link
