// The command channel's server: listens on service.topic in the runtime directory,
// serves each connection's one execute through a handler, and never takes over a
// socket that a live server still answers on. Nothing here blocks: connections are read
// as their bytes arrive, each within its own deadline, so a client that connects and
// says nothing delays no other.
#pragma once

#include <sys/types.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "link/UnixSocket.h"
#include "platform/CommandServer.h"

namespace varnel::link {

class UnixCommandServer {
  public:
    // The uid of a connected peer; replaceable so that tests can play another user.
    using PeerUidSource = std::function<std::optional<uid_t>(int fd)>;
    static std::optional<uid_t> KernelPeerUid(int fd);

    enum class ListenResult {
        Listening,  // the socket is ours
        InUse,      // a live server answers on it; it was left alone
        Failed,     // see the error text
    };

    UnixCommandServer(std::string runtimeDir, std::string service, std::string topic,
                      platform::ExecuteHandler handler, PeerUidSource peerUid = KernelPeerUid);
    // Stops listening and removes the socket file if it is still the one we made.
    ~UnixCommandServer();
    UnixCommandServer(const UnixCommandServer&) = delete;
    UnixCommandServer& operator=(const UnixCommandServer&) = delete;

    // Binds the socket. A socket file nobody answers on is stale and replaced, and so is
    // one another user put there (Notice then tells); a file that is not a socket is
    // never removed.
    ListenResult Listen(std::string& error);
    // What Listen found worth telling the user though it could listen; empty otherwise.
    const std::string& Notice() const { return notice_; }
    void Stop();

    // The listening socket; -1 while not listening.
    int PollFd() const { return listener_.Fd(); }
    // Every descriptor to watch for input: the listener and the connections still being
    // read. Call ProcessPending when any is readable and at NextDeadline.
    std::vector<int> PollFds() const;
    // When the oldest connection being read runs out of time; nullopt when none is.
    std::optional<Deadline> NextDeadline() const;
    // Accepts waiting connections, reads what has arrived on each without waiting,
    // serves those whose macro is complete and drops those past their deadline;
    // returns how many were served.
    int ProcessPending();
    // How long a connection may take to send its macro (one second by default).
    void SetReadTimeout(std::chrono::milliseconds t) { readTimeout_ = t; }

    // When off, connections are read and handled but left unanswered until the peer
    // hangs up or the server stops (a stand-in for a hung program).
    void SetAnswering(bool on) { answering_ = on; }
    // Connections from other users that were turned away.
    int RefusedPeers() const { return refusedPeers_; }
    const std::string& SocketPath() const { return path_; }

    // Largest macro a server reads.
    static constexpr std::size_t kMaxMacroBytes = 64 * 1024;
    // Connections read at the same time; the oldest gives way to a new one.
    static constexpr std::size_t kMaxReading = 64;

  private:
    struct Reading {
        UnixSocket conn;
        std::string macro;
        Deadline deadline;
    };
    enum class Progress { Waiting, Complete, Dropped };

    void Accept();
    Progress ReadSome(Reading& r);
    void Serve(Reading& r);
    void DropHungUpHeld();

    std::string path_;
    platform::ExecuteHandler handler_;
    PeerUidSource peerUid_;
    UnixSocket listener_;
    dev_t dev_ = 0;
    ino_t ino_ = 0;
    bool answering_ = true;
    int refusedPeers_ = 0;
    std::string notice_;
    std::vector<UnixSocket> held_;
    std::vector<Reading> reading_;
    std::chrono::milliseconds readTimeout_{1000};
};

}  // namespace varnel::link
