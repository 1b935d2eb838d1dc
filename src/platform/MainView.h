// The main window as the core sees it: the editor's screen, the title, the appearance of
// the current mode, placement, icon, check marks, and closing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varnel::platform {

// Colours as stored in the settings file: 0x00BBGGRR, or 0xFF0000nn for system colour nn.
using StoredColor = std::uint32_t;

struct WindowPlacement {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

enum class WindowState { Normal, Minimized, Maximized };

// Editing: started with "/e" or on a compose file. Alternative: the executable has an
// unusual name. Default otherwise.
enum class WindowIcon { Default, Editing, Alternative };

// Everything the viewer/editor mode decides about the look of the window.
struct ViewAppearance {
    bool readOnly = true;
    StoredColor background = 0;
    std::string fontName;  // UTF-8; empty keeps the current font family
    int fontSize = 14;
    StoredColor fontColor = 0;
    bool westernCharset = false;  // single-byte (European) font in use
    bool toolBarVisible = true;   // the tool bar panel with the ruler
    bool rulerVisible = false;
    std::string rulerCaption;  // UTF-8
    int toolBarHeight = 27;    // pixels, tool bar plus ruler
    bool horizontalScrollBar = true;
};

class MainView {
  public:
    virtual ~MainView() = default;
    // The editor control's text was replaced: the screen takes the new text (wrapped to
    // the window), shows its top and gives the editor the focus.
    virtual void ShowText() = 0;
    virtual void SetTitle(const std::string& utf8Title) = 0;
    virtual void ApplyAppearance(const ViewAppearance& appearance) = 0;
    virtual WindowPlacement Placement() const = 0;
    virtual void SetPlacement(const WindowPlacement& placement) = 0;
    virtual WindowState State() const = 0;
    virtual void SetIcon(WindowIcon icon) = 0;
    // Caption of a menu or menu item (by its component name), UTF-8 with "&" access keys.
    virtual void SetCaption(std::string_view item, const std::string& utf8Caption) = 0;
    // Check mark of the menu item of a command (by its component name, e.g. "ViewerMode1").
    virtual void SetChecked(std::string_view command, bool checked) = 0;
    // Whether the menu item of a command can be chosen.
    virtual void SetEnabled(std::string_view command, bool enabled) = 0;
    // The keys that run a command: codes with the virtual key in the low byte and the
    // modifiers (1 Shift, 2 Ctrl, 4 Alt) in the high byte; empty for none.
    virtual void SetShortcuts(std::string_view command, const std::vector<int>& keyCodes) = 0;
    // Whether a menu, menu item or tool button (by its component name) is shown.
    virtual void SetVisible(std::string_view item, bool visible) = 0;
    // The freedesktop icon name beside a menu item ("" for none).
    virtual void SetItemIcon(std::string_view command, std::string_view iconName) = 0;
    // Opens a pop-up menu at a point of the editor's text area (pixels).
    virtual void PopUp(std::string_view menu, int x, int y) = 0;
    virtual void BringToFront() = 0;
    // Starts closing the window; the close query decides whether it really closes.
    virtual void Close() = 0;
};

}  // namespace varnel::platform
