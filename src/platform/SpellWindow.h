// The spell-check window's controls as the check sees them. Texts are CP932. The window
// reports its buttons, list clicks, check boxes and closing to the check.
#pragma once

#include <string>
#include <vector>

namespace varnel::platform {

class SpellWindow {
  public:
    enum class Button { Ignore, Change };

    virtual ~SpellWindow() = default;
    virtual void Show() = 0;
    // Hides the window without reporting its closing back.
    virtual void Close() = 0;
    virtual void Place(int left, int top) = 0;
    virtual void Position(int& left, int& top) const = 0;
    virtual void SetFont(const std::string& name, int size) = 0;
    virtual void SetCheckBoxes(bool ignoreCapital, bool ignoreNumeric) = 0;
    virtual void SetWord(const std::string& word) = 0;         // Edit2, the unknown word
    virtual void SetReplacement(const std::string& text) = 0;  // Edit1
    virtual std::string Replacement() const = 0;
    virtual void SetSuggestions(const std::vector<std::string>& items) = 0;  // ListBox1
    virtual void Focus(Button button) = 0;
};

}  // namespace varnel::platform
