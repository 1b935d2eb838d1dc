// The find and replace dialog: modeless, beside the main window. Texts are CP932 bytes,
// as the searched text is; the dialog converts them for display.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace varnel::platform {

struct FindOptions {
    bool matchCase = false;
    bool down = true;
};

// Where a dialog stands on the screen.
struct DialogPosition {
    int left = 0;
    int top = 0;
};

class FindDialog {
  public:
    enum class Kind { Find, Replace };

    virtual ~FindDialog() = default;
    // Shows the dialog (or turns an open one into kind), its find text preset, placed at
    // at when given. The replace kind has no direction: it searches down.
    virtual void Open(Kind kind, const std::string& findText, std::optional<DialogPosition> at,
                      bool english) = 0;
    virtual void SetFindText(const std::string& findText) = 0;
    virtual DialogPosition Position() const = 0;

    // Set by the window; the dialog calls them for its buttons and when it closes.
    std::function<void(const std::string& findText, FindOptions options)> onFindNext;
    std::function<void(const std::string& findText, const std::string& replaceText,
                       FindOptions options)>
        onReplace;
    std::function<void(const std::string& findText, const std::string& replaceText,
                       FindOptions options)>
        onReplaceAll;
    std::function<void()> onClose;
};

}  // namespace varnel::platform
