// Server side of the command channel.
#include "link/UnixCommandServer.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>

#include "link/RuntimeDir.h"

namespace varnel::link {
namespace {

// A client has written its macro before it waits; this only guards against one that
// connects and then says nothing.
constexpr auto kReadTimeout = std::chrono::milliseconds(1000);
constexpr std::size_t kMaxHeld = 64;

}  // namespace

std::optional<uid_t> UnixCommandServer::KernelPeerUid(int fd) {
    ucred cred{};
    socklen_t len = sizeof cred;
    if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &len) != 0 || len != sizeof cred)
        return std::nullopt;
    return cred.uid;
}

UnixCommandServer::UnixCommandServer(std::string runtimeDir, std::string service, std::string topic,
                                     platform::ExecuteHandler handler, PeerUidSource peerUid)
    : path_(runtimeDir + "/" + SocketName(service, topic)),
      handler_(std::move(handler)),
      peerUid_(std::move(peerUid)) {}

UnixCommandServer::~UnixCommandServer() {
    Stop();
}

UnixCommandServer::ListenResult UnixCommandServer::Listen(std::string& error) {
    if (listener_.IsOpen())
        return ListenResult::Listening;
    if (!UnixSocket::FitsAddress(path_)) {
        error = "socket path too long: " + path_;
        return ListenResult::Failed;
    }
    struct stat st {};
    if (::lstat(path_.c_str(), &st) == 0) {
        if (!S_ISSOCK(st.st_mode)) {
            error = path_ + " exists and is not a socket";
            return ListenResult::Failed;
        }
        UnixSocket probe;
        const auto r =
            probe.Connect(path_, std::chrono::steady_clock::now() + std::chrono::milliseconds(500));
        if (r == UnixSocket::ConnectResult::Connected || r == UnixSocket::ConnectResult::TimedOut) {
            // Someone answers (or is busy answering): that socket is theirs.
            return ListenResult::InUse;
        }
        // Stale: left behind by a server that died. Only that very file is removed, not
        // one another server may have put there since the probe.
        struct stat again {};
        if (::lstat(path_.c_str(), &again) == 0 && again.st_dev == st.st_dev &&
            again.st_ino == st.st_ino)
            ::unlink(path_.c_str());
    }

    // The socket is bound and listening under a temporary name first and then linked to
    // its real name, which fails when the name exists: the name never stands for a
    // socket that does not answer yet, and a server that started at the same moment
    // is never replaced.
    static std::atomic<unsigned> counter{0};
    const std::string dir = path_.substr(0, path_.rfind('/'));
    const std::string tmp =
        dir + "/.s" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    if (!UnixSocket::FitsAddress(tmp)) {
        error = "socket path too long: " + tmp;
        return ListenResult::Failed;
    }
    UnixSocket sock(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (!sock.IsOpen()) {
        error = std::string("socket: ") + std::strerror(errno);
        return ListenResult::Failed;
    }
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path, tmp.c_str(), tmp.size() + 1);
    ::unlink(tmp.c_str());
    if (::bind(sock.Fd(), reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        error = "bind " + tmp + ": " + std::strerror(errno);
        return ListenResult::Failed;
    }
    const bool ready = ::chmod(tmp.c_str(), 0600) == 0 && ::listen(sock.Fd(), 16) == 0 &&
                       ::lstat(tmp.c_str(), &st) == 0;
    const int err = errno;
    if (!ready) {
        ::unlink(tmp.c_str());
        error = "listen " + tmp + ": " + std::strerror(err);
        return ListenResult::Failed;
    }
    const int linked = ::link(tmp.c_str(), path_.c_str());
    const int linkErr = errno;
    ::unlink(tmp.c_str());
    if (linked != 0) {
        if (linkErr == EEXIST)
            return ListenResult::InUse;  // another server won the race
        error = "link " + path_ + ": " + std::strerror(linkErr);
        return ListenResult::Failed;
    }
    dev_ = st.st_dev;
    ino_ = st.st_ino;
    listener_ = std::move(sock);
    return ListenResult::Listening;
}

void UnixCommandServer::Stop() {
    held_.clear();
    if (!listener_.IsOpen())
        return;
    listener_.Close();
    // Remove the file only when it is still ours: a later server may have replaced it.
    struct stat st {};
    if (::lstat(path_.c_str(), &st) == 0 && st.st_dev == dev_ && st.st_ino == ino_)
        ::unlink(path_.c_str());
}

int UnixCommandServer::ProcessPending() {
    DropHungUpHeld();
    int served = 0;
    while (listener_.IsOpen()) {
        const int fd = ::accept4(listener_.Fd(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            break;  // EAGAIN: nothing more waits
        }
        Serve(UnixSocket(fd));
        ++served;
    }
    return served;
}

void UnixCommandServer::Serve(UnixSocket conn) {
    const auto uid = peerUid_(conn.Fd());
    if (!uid || *uid != ::geteuid()) {
        // Another user's program: nothing it sends is read.
        ++refusedPeers_;
        conn.SendAll("0", std::chrono::steady_clock::now() + kReadTimeout);
        return;
    }
    std::string macro;
    if (!conn.ReceiveUntilNul(macro, kMaxMacroBytes,
                              std::chrono::steady_clock::now() + kReadTimeout)) {
        if (!macro.empty())
            conn.SendAll("0", std::chrono::steady_clock::now() + kReadTimeout);
        return;  // a probe that only checked for a live server, or a broken client
    }
    platform::ExecuteResult result = handler_ ? handler_(macro) : platform::ExecuteResult{};
    if (!answering_) {
        if (held_.size() >= kMaxHeld)
            held_.erase(held_.begin());
        held_.push_back(std::move(conn));
    } else {
        conn.SendAll(result.accepted ? "1" : "0", std::chrono::steady_clock::now() + kReadTimeout);
        conn.Close();
    }
    if (result.afterAnswer)
        result.afterAnswer();
}

void UnixCommandServer::DropHungUpHeld() {
    std::erase_if(held_, [](const UnixSocket& s) {
        pollfd p{s.Fd(), POLLIN, 0};
        return ::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLIN | POLLERR));
    });
}

}  // namespace varnel::link
