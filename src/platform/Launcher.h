// Starting outside programs from an argument vector (never through a shell) and
// handing URLs or files to the desktop's default handler.
#pragma once

#include <string>
#include <vector>

namespace varnel::platform {

class Launcher {
  public:
    virtual ~Launcher() = default;
    // Starts argv[0] with the rest as arguments, detached. On failure returns false and
    // sets error to a readable reason.
    virtual bool Start(const std::vector<std::string>& argv, std::string& error) = 0;
    // Opens a URL with a scheme, or a checked file, with the desktop's handler.
    virtual bool OpenWithDesktop(const std::string& urlOrPath, std::string& error) = 0;
};

}  // namespace varnel::platform
