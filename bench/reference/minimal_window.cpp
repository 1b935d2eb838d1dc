// The reference for the window's start-up figures: a Qt 6 main window with a menu bar,
// three menus and a label, ended after its first paint exactly as varnel32 is under
// VARNEL_QUIT_AFTER_PAINT, and printing the moment of that paint as varnel32 does.
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>
#include <cstdio>
#include <ctime>

namespace {

class QuitAfterPaint : public QObject {
  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !armed_) {
            armed_ = true;
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

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    for (const char* name : {"&File", "&Edit", "&View"}) {
        QMenu* menu = window.menuBar()->addMenu(name);
        menu->addAction("Open");
        menu->addAction("Close");
    }
    auto* label = new QLabel(QString::fromUtf8("これはメールです。"));
    window.setCentralWidget(label);
    window.resize(800, 600);
    QuitAfterPaint quit;
    label->installEventFilter(&quit);
    window.show();
    return app.exec();
}
