// QTimer adapter.
#include "qt/QtTimer.h"

namespace varnel::qt {

QtTimer::QtTimer() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (onTick)
            onTick();
    });
}

void QtTimer::SetInterval(int milliseconds) {
    timer_.setInterval(milliseconds);
}

int QtTimer::Interval() const {
    return timer_.interval();
}

void QtTimer::SetEnabled(bool enabled) {
    if (enabled)
        timer_.start();
    else
        timer_.stop();
}

bool QtTimer::Enabled() const {
    return timer_.isActive();
}

}  // namespace varnel::qt
