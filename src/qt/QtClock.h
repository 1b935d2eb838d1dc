// platform::Clock on the system clock and Qt's view of the local time zone.
#pragma once

#include "platform/Clock.h"

namespace varnel::qt {

class QtClock : public platform::Clock {
  public:
    std::chrono::system_clock::time_point Now() const override;
    int UtcOffsetMinutes(std::chrono::system_clock::time_point at) const override;
};

}  // namespace varnel::qt
