// Window directory and key sink for programs that answer for their windows over the
// command channel (on Linux: the stand-in mailer and its companion).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/CommandChannel.h"
#include "platform/KeySink.h"
#include "platform/WindowDirectory.h"

namespace varnel::link {

class ChannelWindows : public platform::WindowDirectory, public platform::KeySink {
  public:
    // owners: the services asked in turn, e.g. {"Pelk", "Pilvo1"}.
    ChannelWindows(platform::CommandChannel& channel, std::vector<std::string> owners)
        : channel_(channel), owners_(std::move(owners)) {}

    std::optional<platform::WindowHandle> FindByClass(const std::string& className) override;
    std::optional<platform::WindowHandle> FindByTitle(const std::string& title) override;
    bool BringToFront(const platform::WindowHandle& window) override;
    // Delivers to the window last brought to the front; false when there is none.
    bool SendKeyEvents(const std::vector<platform::KeyEvent>& events) override;

  private:
    std::optional<platform::WindowHandle> Find(const std::string& kind, const std::string& name);

    platform::CommandChannel& channel_;
    std::vector<std::string> owners_;
    std::optional<platform::WindowHandle> front_;
};

}  // namespace varnel::link
