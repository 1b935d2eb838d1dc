// Starting outside programs (detached, from an argument vector, never through a
// shell) and handing URLs and files to the desktop's handler.
#pragma once

#include "platform/Launcher.h"

namespace varnel::qt {

class QtLauncher : public platform::Launcher {
  public:
    bool Start(const std::vector<std::string>& argv, std::string& error) override;
    bool OpenWithDesktop(const std::string& urlOrPath, std::string& error) override;
};

}  // namespace varnel::qt
