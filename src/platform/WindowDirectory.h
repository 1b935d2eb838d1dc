// Looking up the top-level windows of other programs by class or title, and bringing
// one to the front so that keystrokes reach it.
#pragma once

#include <optional>
#include <string>

namespace varnel::platform {

// Names a window found by the directory; opaque to the caller.
struct WindowHandle {
    std::string owner;  // the program that answers for the window
    std::string kind;   // "class" or "title"
    std::string name;   // class name or exact title (UTF-8)
};

class WindowDirectory {
  public:
    virtual ~WindowDirectory() = default;
    virtual std::optional<WindowHandle> FindByClass(const std::string& className) = 0;
    virtual std::optional<WindowHandle> FindByTitle(const std::string& title) = 0;
    // Makes the window the foreground window (the target of the key sink).
    virtual bool BringToFront(const WindowHandle& window) = 0;
};

}  // namespace varnel::platform
