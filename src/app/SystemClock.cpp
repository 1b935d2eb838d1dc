// Wall clock and local offset from the C library.
#include "app/SystemClock.h"

#include <ctime>

namespace varnel::app {

std::chrono::system_clock::time_point SystemClock::Now() const {
    return std::chrono::system_clock::now();
}

int SystemClock::UtcOffsetMinutes(std::chrono::system_clock::time_point at) const {
    const std::time_t t = std::chrono::system_clock::to_time_t(at);
    std::tm local{};
    if (!localtime_r(&t, &local))
        return 0;
    return static_cast<int>(local.tm_gmtoff / 60);
}

}  // namespace varnel::app
