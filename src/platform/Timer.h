// A single-shot-or-repeating timer owned by the core; the platform calls onTick.
#pragma once

#include <functional>

namespace varnel::platform {

class Timer {
  public:
    virtual ~Timer() = default;
    virtual void SetInterval(int milliseconds) = 0;
    virtual int Interval() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool Enabled() const = 0;

    // Called on every tick while enabled (the handler may disable the timer).
    std::function<void()> onTick;
};

}  // namespace varnel::platform
