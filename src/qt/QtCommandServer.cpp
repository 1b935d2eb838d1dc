// Command-channel server on the Qt event loop.
#include "qt/QtCommandServer.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace varnel::qt {

namespace {

// The work after an answer may open dialogs (which run a nested event loop) or send
// commands; posting it keeps the socket handling out of such nesting.
platform::ExecuteHandler Posting(platform::ExecuteHandler handler) {
    return [handler = std::move(handler)](const std::string& macro) {
        platform::ExecuteResult r = handler(macro);
        if (r.afterAnswer) {
            r.afterAnswer = [work = std::move(r.afterAnswer)] {
                QMetaObject::invokeMethod(QCoreApplication::instance(), work, Qt::QueuedConnection);
            };
        }
        return r;
    };
}

}  // namespace

QtCommandServer::QtCommandServer(const std::string& runtimeDir, const std::string& service,
                                 const std::string& topic, platform::ExecuteHandler handler,
                                 QObject* parent)
    : QObject(parent), server_(runtimeDir, service, topic, Posting(std::move(handler))) {}

QtCommandServer::~QtCommandServer() {
    notifier_.reset();
    server_.Stop();
}

link::UnixCommandServer::ListenResult QtCommandServer::Listen(std::string& error) {
    const auto r = server_.Listen(error);
    if (r == link::UnixCommandServer::ListenResult::Listening && !notifier_) {
        notifier_ = std::make_unique<QSocketNotifier>(server_.PollFd(), QSocketNotifier::Read);
        connect(notifier_.get(), &QSocketNotifier::activated, this, &QtCommandServer::OnReadable);
    }
    return r;
}

void QtCommandServer::OnReadable() {
    notifier_->setEnabled(false);
    server_.ProcessPending();
    notifier_->setEnabled(true);
}

}  // namespace varnel::qt
