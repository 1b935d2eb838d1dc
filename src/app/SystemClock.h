// platform::Clock on the system clock and the C library's local time zone, for the
// programs that run without the window toolkit (--dump).
#pragma once

#include "platform/Clock.h"

namespace varnel::app {

class SystemClock : public platform::Clock {
  public:
    std::chrono::system_clock::time_point Now() const override;
    int UtcOffsetMinutes(std::chrono::system_clock::time_point at) const override;
};

}  // namespace varnel::app
