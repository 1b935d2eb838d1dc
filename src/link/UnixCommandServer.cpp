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

constexpr std::size_t kMaxHeld = 64;

// A one-byte answer fits an empty socket buffer; a client that does not take it is
// not waited for.
void AnswerNow(UnixSocket& conn, bool accepted) {
    conn.SendAll(accepted ? "1" : "0", std::chrono::steady_clock::now());
}

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
        // A socket of another user in our private directory was planted there while the
        // directory was open: it is not a server of ours, whatever answers on it.
        const bool planted = st.st_uid != ::geteuid();
        UnixSocket probe;
        const auto r = planted ? UnixSocket::ConnectResult::NoListener
                               : probe.Connect(path_, std::chrono::steady_clock::now() +
                                                          std::chrono::milliseconds(500));
        if (r == UnixSocket::ConnectResult::Connected || r == UnixSocket::ConnectResult::TimedOut) {
            const auto peer = probe.PeerUid();
            if (!peer || *peer == ::geteuid())
                return ListenResult::InUse;  // someone of ours answers: that socket is theirs
        }
        if (planted || r == UnixSocket::ConnectResult::Connected)
            notice_ = path_ + " was put there by another user and has been removed";
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
    const bool ready = ::chmod(tmp.c_str(), 0600) == 0 && ::listen(sock.Fd(), SOMAXCONN) == 0 &&
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
    reading_.clear();
    if (!listener_.IsOpen())
        return;
    listener_.Close();
    // Remove the file only when it is still ours: a later server may have replaced it.
    struct stat st {};
    if (::lstat(path_.c_str(), &st) == 0 && st.st_dev == dev_ && st.st_ino == ino_)
        ::unlink(path_.c_str());
}

std::vector<int> UnixCommandServer::PollFds() const {
    std::vector<int> fds;
    if (listener_.IsOpen())
        fds.push_back(listener_.Fd());
    for (const Reading& r : reading_)
        fds.push_back(r.conn.Fd());
    return fds;
}

std::optional<Deadline> UnixCommandServer::NextDeadline() const {
    std::optional<Deadline> next;
    for (const Reading& r : reading_) {
        if (!next || r.deadline < *next)
            next = r.deadline;
    }
    return next;
}

int UnixCommandServer::ProcessPending() {
    DropHungUpHeld();
    Accept();
    int served = 0;
    const auto now = std::chrono::steady_clock::now();
    // Served connections leave the list before their work runs, which may come back here.
    std::vector<Reading> complete;
    std::erase_if(reading_, [&](Reading& r) {
        const Progress p = ReadSome(r);
        if (p == Progress::Complete) {
            complete.push_back(std::move(r));
            return true;
        }
        if (p == Progress::Dropped || now >= r.deadline) {
            if (!r.macro.empty())
                AnswerNow(r.conn, false);  // a broken or too slow client
            return true;                   // (an empty one only checked for a live server)
        }
        return false;
    });
    for (Reading& r : complete) {
        Serve(r);
        ++served;
    }
    return served;
}

void UnixCommandServer::Accept() {
    while (listener_.IsOpen()) {
        const int fd = ::accept4(listener_.Fd(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            return;  // EAGAIN: nothing more waits
        }
        UnixSocket conn(fd);
        const auto uid = peerUid_(conn.Fd());
        if (!uid || *uid != ::geteuid()) {
            // Another user's program: nothing it sends is read.
            ++refusedPeers_;
            AnswerNow(conn, false);
            continue;
        }
        if (reading_.size() >= kMaxReading)
            reading_.erase(reading_.begin());
        reading_.push_back({std::move(conn), {}, std::chrono::steady_clock::now() + readTimeout_});
    }
}

UnixCommandServer::Progress UnixCommandServer::ReadSome(Reading& r) {
    char buf[4096];
    for (;;) {
        const ssize_t n = ::recv(r.conn.Fd(), buf, sizeof buf, 0);
        if (n > 0) {
            const std::string_view got(buf, static_cast<std::size_t>(n));
            const std::size_t nul = got.find('\0');
            r.macro.append(got.substr(0, nul));
            if (r.macro.size() > kMaxMacroBytes)
                return Progress::Dropped;
            if (nul != std::string_view::npos)
                return Progress::Complete;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
            return Progress::Waiting;
        return Progress::Dropped;  // end of stream before the NUL, or an error
    }
}

void UnixCommandServer::Serve(Reading& r) {
    platform::ExecuteResult result = handler_ ? handler_(r.macro) : platform::ExecuteResult{};
    if (!answering_) {
        if (held_.size() >= kMaxHeld)
            held_.erase(held_.begin());
        held_.push_back(std::move(r.conn));
    } else {
        AnswerNow(r.conn, result.accepted);
        r.conn.Close();
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
