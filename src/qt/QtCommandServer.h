// A command-channel server served from the Qt event loop: the socket's readiness is
// watched with a QSocketNotifier, and the work after each answer is posted to the loop.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>
#include <string>

#include "link/UnixCommandServer.h"
#include "platform/CommandServer.h"

namespace varnel::qt {

class QtCommandServer : public QObject {
    Q_OBJECT
  public:
    QtCommandServer(const std::string& runtimeDir, const std::string& service,
                    const std::string& topic, platform::ExecuteHandler handler,
                    QObject* parent = nullptr);
    ~QtCommandServer() override;

    // Starts listening; a socket a live server answers on is left to it (InUse).
    link::UnixCommandServer::ListenResult Listen(std::string& error);
    bool IsListening() const { return server_.PollFd() >= 0; }
    const std::string& SocketPath() const { return server_.SocketPath(); }

  private:
    void OnReadable();

    link::UnixCommandServer server_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace varnel::qt
