// Fakes of the find dialog and the options dialog: they record what the window asks
// and let a test press their buttons.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/FindDialog.h"
#include "platform/OptionsDialog.h"

namespace varnel::fakes {

class RecordingFindDialog : public platform::FindDialog {
  public:
    bool open = false;
    Kind kind = Kind::Find;
    std::string findText;
    std::optional<platform::DialogPosition> openedAt;
    platform::DialogPosition position{300, 200};

    void Open(Kind k, const std::string& text, std::optional<platform::DialogPosition> at,
              bool) override {
        open = true;
        kind = k;
        findText = text;
        openedAt = at;
    }
    void SetFindText(const std::string& text) override { findText = text; }
    platform::DialogPosition Position() const override { return position; }

    // The user closes the dialog.
    void Close() {
        open = false;
        if (onClose)
            onClose();
    }
};

// Runs edit on the fields and answers accepted (or cancelled).
class ScriptedOptionsDialog : public platform::OptionsDialog {
  public:
    std::function<void(std::vector<platform::OptionField>&)> edit;
    bool accept = true;
    int shown = 0;

    bool Edit(std::vector<platform::OptionField>& fields, bool) override {
        ++shown;
        if (!accept)
            return false;
        if (edit)
            edit(fields);
        return true;
    }
};

}  // namespace varnel::fakes
