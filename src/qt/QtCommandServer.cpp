// Command-channel server on the Qt event loop.
#include "qt/QtCommandServer.h"

#include <QApplication>
#include <QWidget>
#include <algorithm>
#include <chrono>

namespace varnel::qt {

namespace {

// How often work waiting for a modal dialog to close looks again.
constexpr int kModalRetryMs = 100;

}  // namespace

QtCommandServer::QtCommandServer(const std::string& runtimeDir, const std::string& service,
                                 const std::string& topic, platform::ExecuteHandler handler,
                                 QObject* parent)
    : QObject(parent),
      server_(runtimeDir, service, topic,
              [this, handler = std::move(handler)](const std::string& macro) {
                  // The work after an answer may open dialogs or send commands: it is
                  // posted, so the socket handling never nests inside it.
                  platform::ExecuteResult r = handler(macro);
                  if (r.afterAnswer)
                      Post(std::exchange(r.afterAnswer, {}));
                  return r;
              }) {
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this, &QtCommandServer::OnReadable);
    workTimer_.setSingleShot(true);
    connect(&workTimer_, &QTimer::timeout, this, &QtCommandServer::RunWork);
}

QtCommandServer::~QtCommandServer() {
    notifiers_.clear();
    server_.Stop();
}

link::UnixCommandServer::ListenResult QtCommandServer::Listen(std::string& error) {
    const auto r = server_.Listen(error);
    if (r == link::UnixCommandServer::ListenResult::Listening)
        Watch();
    return r;
}

void QtCommandServer::OnReadable() {
    server_.ProcessPending();
    Watch();
}

// One notifier per descriptor the server reads; those it has closed are dropped (later,
// as one of them may be the notifier whose signal is being handled).
void QtCommandServer::Watch() {
    const std::vector<int> fds = server_.PollFds();
    for (auto it = notifiers_.begin(); it != notifiers_.end();) {
        if (std::find(fds.begin(), fds.end(), it->first) == fds.end()) {
            it->second->setEnabled(false);
            it->second.release()->deleteLater();
            it = notifiers_.erase(it);
        } else {
            ++it;
        }
    }
    for (int fd : fds) {
        auto& n = notifiers_[fd];
        if (!n) {
            n = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
            connect(n.get(), &QSocketNotifier::activated, this, &QtCommandServer::OnReadable);
        }
    }
    if (const auto next = server_.NextDeadline()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            *next - std::chrono::steady_clock::now());
        deadline_.start(std::max<int>(0, static_cast<int>(left.count()) + 1));
    } else {
        deadline_.stop();
    }
}

void QtCommandServer::Post(std::function<void()> work) {
    work_.push_back(std::move(work));
    if (!workTimer_.isActive())
        workTimer_.start(0);
}

// Runs the posted work in order. While a modal dialog is up (its own loop is running)
// or earlier work is still running, the work waits: an open request that arrives while
// an error box is shown is never served inside that box's loop.
void QtCommandServer::RunWork() {
    if (working_ || QApplication::activeModalWidget()) {
        workTimer_.start(kModalRetryMs);
        return;
    }
    working_ = true;
    while (!work_.empty() && !QApplication::activeModalWidget()) {
        auto work = std::move(work_.front());
        work_.pop_front();
        work();
    }
    working_ = false;
    if (!work_.empty() && !workTimer_.isActive())
        workTimer_.start(kModalRetryMs);
}

}  // namespace varnel::qt
