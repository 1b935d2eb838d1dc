// A command-channel server served from the Qt event loop: the listener and every
// connection being read are watched with QSocketNotifiers, a timer drops connections past
// their deadline, and the work after each answer runs from the main loop, one piece at a
// time and never while a modal dialog runs its own loop.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <deque>
#include <functional>
#include <map>
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
    const std::string& Notice() const { return server_.Notice(); }

  private:
    void OnReadable();
    void Watch();
    void Post(std::function<void()> work);
    void RunWork();

    link::UnixCommandServer server_;
    std::map<int, std::unique_ptr<QSocketNotifier>> notifiers_;
    QTimer deadline_;
    QTimer workTimer_;
    std::deque<std::function<void()>> work_;
    bool working_ = false;
};

}  // namespace varnel::qt
