// Saving an image of the window after start-up.
#include "qt/QtScreenshot.h"

#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

namespace varnel::qt {

void ArmScreenshot(QWidget& window) {
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
