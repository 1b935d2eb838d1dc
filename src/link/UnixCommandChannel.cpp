// Client side of the command channel.
#include "link/UnixCommandChannel.h"

#include <unistd.h>

#include <chrono>

#include "link/RuntimeDir.h"
#include "link/UnixSocket.h"

namespace varnel::link {

using platform::Delivery;

bool IsSendableMacro(std::string_view macro) {
    return !macro.empty() &&
           macro.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

UnixCommandChannel::UnixCommandChannel(std::string runtimeDir, int timeoutMs)
    : dir_(std::move(runtimeDir)), timeoutMs_(timeoutMs) {}

std::string UnixCommandChannel::SocketPathFor(std::string_view service,
                                              std::string_view topic) const {
    return dir_ + "/" + SocketName(service, topic);
}

Delivery UnixCommandChannel::Execute(const std::string& service, const std::string& topic,
                                     const std::string& macro) {
    if (!IsChannelName(service) || !IsChannelName(topic) || !IsSendableMacro(macro))
        return Delivery::Invalid;
    const std::string path = SocketPathFor(service, topic);
    if (!UnixSocket::FitsAddress(path))
        return Delivery::Invalid;

    const Deadline deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs_);
    UnixSocket sock;
    switch (sock.Connect(path, deadline)) {
        case UnixSocket::ConnectResult::Connected:
            break;
        case UnixSocket::ConnectResult::NoListener:
        case UnixSocket::ConnectResult::Failed:
            return Delivery::NoServer;
        case UnixSocket::ConnectResult::TimedOut:
            return Delivery::Refused;
    }
    // The directory is private, but a server must still be our own user's before it
    // learns what we ask for.
    const auto peer = sock.PeerUid();
    if (!peer || *peer != ::geteuid())
        return Delivery::Refused;

    std::string wire = macro;
    wire.push_back('\0');
    if (!sock.SendAll(wire, deadline))
        return Delivery::Refused;
    const auto answer = sock.ReceiveByte(deadline);
    return answer && *answer == '1' ? Delivery::Delivered : Delivery::Refused;
}

}  // namespace varnel::link
