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
#include <string_view>

#include "qt/QtSonEdit2.h"

namespace varnel::qt {

namespace {

void PrintMoment(const char* what) {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::fprintf(stderr, "varnel32: %s at %lld.%09ld\n", what, static_cast<long long>(now.tv_sec),
                 now.tv_nsec);
}

// Ends the program once the watched widget has painted for the first time, or, given
// the editor, once its wrap has settled after that.
class QuitAfterPaint : public QObject {
  public:
    QuitAfterPaint(QObject* parent, QtSonEdit2* settleFirst)
        : QObject(parent), editor_(settleFirst) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !armed_) {
            armed_ = true;
            // The moment of the first paint on the monotonic clock, for the bench to
            // measure start to paint apart from what the program does on its way out.
            PrintMoment("first paint");
            QTimer::singleShot(0, this, [this] { QuitWhenSettled(); });
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    void QuitWhenSettled() {
        if (editor_ && editor_->Core().WrapPending()) {
            QTimer::singleShot(5, this, [this] { QuitWhenSettled(); });
            return;
        }
        if (editor_)
            PrintMoment("wrap settled");
        QApplication::exit(0);
    }

    QtSonEdit2* editor_;
    bool armed_ = false;
};

}  // namespace

void ArmScreenshot(QWidget& window) {
    if (const char* quit = std::getenv("VARNEL_QUIT_AFTER_PAINT"); quit && *quit) {
        // The editor's page; the window's other lists (pick list, spelling) stay hidden.
        auto* area = window.findChild<QtSonEdit2*>();
        QWidget* watched = area ? area->viewport() : &window;
        // "wrapped": the peak memory of a long text is taken with its wrap done.
        const bool settle = std::string_view(quit) == "wrapped";
        watched->installEventFilter(new QuitAfterPaint(watched, settle ? area : nullptr));
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
