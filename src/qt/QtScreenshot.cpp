// Saving an image of the window after start-up, and ending after the first paint.
#include "qt/QtScreenshot.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QEvent>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "qt/QtSonEdit2.h"

namespace varnel::qt {

namespace {

// Ends the program once the watched widget has painted for the first time.
class QuitAfterPaint : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !armed_) {
            armed_ = true;
            // The moment of the first paint on the monotonic clock, for the bench to
            // measure start to paint apart from what the program does on its way out.
            timespec now{};
            clock_gettime(CLOCK_MONOTONIC, &now);
            std::fprintf(stderr, "varnel32: first paint at %lld.%09ld\n",
                         static_cast<long long>(now.tv_sec), now.tv_nsec);
            QTimer::singleShot(0, qApp, [] { QApplication::exit(0); });
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    bool armed_ = false;
};

}  // namespace

void ArmScreenshot(QWidget& window) {
    if (const char* quit = std::getenv("VARNEL_QUIT_AFTER_PAINT"); quit && *quit) {
        // The editor's page; the window's other lists (pick list, spelling) stay hidden.
        auto* area = window.findChild<QtSonEdit2*>();
        QWidget* watched = area ? area->viewport() : &window;
        watched->installEventFilter(new QuitAfterPaint(watched));
    }
    const char* path = std::getenv("VARNEL_SCREENSHOT");
    if (!path || !*path)
        return;
    int delay = 2000;
    if (const char* d = std::getenv("VARNEL_SCREENSHOT_DELAY"))
        delay = std::atoi(d) > 0 ? std::atoi(d) : delay;
    const QString file = QString::fromLocal8Bit(path);
    QTimer::singleShot(delay, &window, [&window, file] {
        if (!window.grab().save(file, "PNG"))
            std::fprintf(stderr, "varnel32: cannot write %s\n", file.toLocal8Bit().constData());
        QApplication::exit(0);
    });
}

}  // namespace varnel::qt
