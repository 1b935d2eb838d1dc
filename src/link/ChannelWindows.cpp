// Window lookups and key delivery as window macros on <owner>.windows.
#include "link/ChannelWindows.h"

#include "link/WindowWire.h"

namespace varnel::link {

using platform::Delivery;
using platform::WindowHandle;

std::optional<WindowHandle> ChannelWindows::Find(const std::string& kind, const std::string& name) {
    const auto macro = WindowMacro("Find", kind, name);
    if (!macro)
        return std::nullopt;
    for (const std::string& owner : owners_) {
        if (channel_.Execute(owner, std::string(kWindowsTopic), *macro) == Delivery::Delivered)
            return WindowHandle{owner, kind, name};
    }
    return std::nullopt;
}

std::optional<WindowHandle> ChannelWindows::FindByClass(const std::string& className) {
    return Find("class", className);
}

std::optional<WindowHandle> ChannelWindows::FindByTitle(const std::string& title) {
    return Find("title", title);
}

bool ChannelWindows::BringToFront(const WindowHandle& w) {
    const auto macro = WindowMacro("Front", w.kind, w.name);
    if (!macro ||
        channel_.Execute(w.owner, std::string(kWindowsTopic), *macro) != Delivery::Delivered)
        return false;
    front_ = w;
    return true;
}

bool ChannelWindows::SendKeyEvents(const std::vector<platform::KeyEvent>& events) {
    if (!front_)
        return false;
    const auto macro = KeysMacro(front_->kind, front_->name, events);
    return macro && channel_.Execute(front_->owner, std::string(kWindowsTopic), *macro) ==
                        Delivery::Delivered;
}

}  // namespace varnel::link
