// The command channel's server: listens on service.topic in the runtime directory,
// serves each connection's one execute through a handler, and never takes over a
// socket that a live server still answers on.
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

    // Binds the socket. A socket file nobody answers on is stale and replaced; a file
    // that is not a socket is never removed.
    ListenResult Listen(std::string& error);
    void Stop();

    // Readable when connections wait; -1 while not listening.
    int PollFd() const { return listener_.Fd(); }
    // Accepts and serves every waiting connection; returns how many were served.
    int ProcessPending();

    // When off, connections are read and handled but left unanswered until the peer
    // hangs up or the server stops (a stand-in for a hung program).
    void SetAnswering(bool on) { answering_ = on; }
    // Connections from other users that were turned away.
    int RefusedPeers() const { return refusedPeers_; }
    const std::string& SocketPath() const { return path_; }

    // Largest macro a server reads.
    static constexpr std::size_t kMaxMacroBytes = 64 * 1024;

  private:
    void Serve(UnixSocket conn);
    void DropHungUpHeld();

    std::string path_;
    platform::ExecuteHandler handler_;
    PeerUidSource peerUid_;
    UnixSocket listener_;
    dev_t dev_ = 0;
    ino_t ino_ = 0;
    bool answering_ = true;
    int refusedPeers_ = 0;
    std::vector<UnixSocket> held_;
};

}  // namespace varnel::link
