// Wall clock and local offset.
#include "qt/QtClock.h"

#include <QDateTime>

namespace varnel::qt {

std::chrono::system_clock::time_point QtClock::Now() const {
    return std::chrono::system_clock::now();
}

int QtClock::UtcOffsetMinutes(std::chrono::system_clock::time_point at) const {
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(at.time_since_epoch()).count();
    return QDateTime::fromMSecsSinceEpoch(ms).offsetFromUtc() / 60;
}

}  // namespace varnel::qt
