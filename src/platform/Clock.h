// Wall clock and local time zone, injected so that date handling is testable.
#pragma once

#include <chrono>

namespace varnel::platform {

class Clock {
  public:
    virtual ~Clock() = default;
    virtual std::chrono::system_clock::time_point Now() const = 0;
    // Offset of local time from UTC at the given moment, in minutes (JST: +540).
    virtual int UtcOffsetMinutes(std::chrono::system_clock::time_point at) const = 0;
};

}  // namespace varnel::platform
