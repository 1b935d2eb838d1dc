// Plain-text clipboard. The core speaks CP932 bytes with CR LF line ends; the platform
// converts at its edge.
#pragma once

#include <string>
#include <string_view>

namespace varnel::platform {

class Clipboard {
  public:
    virtual ~Clipboard() = default;
    virtual bool HasText() const = 0;
    // On success sets text (CP932, CR LF line ends) and returns true.
    virtual bool GetText(std::string& text) = 0;
    // Places text (CP932, CR LF line ends); false when the clipboard refused it.
    virtual bool SetText(std::string_view text) = 0;
};

}  // namespace varnel::platform
