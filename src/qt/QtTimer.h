// platform::Timer on a QTimer of the user-interface thread.
#pragma once

#include <QTimer>

#include "platform/Timer.h"

namespace varnel::qt {

class QtTimer : public platform::Timer {
  public:
    QtTimer();
    void SetInterval(int milliseconds) override;
    int Interval() const override;
    void SetEnabled(bool enabled) override;
    bool Enabled() const override;

  private:
    QTimer timer_;
};

}  // namespace varnel::qt
