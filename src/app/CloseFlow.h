// Closing the main window: the save question of the close query, and the settings
// written when the window closes.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/IniFile.h"
#include "platform/MainView.h"
#include "platform/Prompter.h"

namespace varnel::app {

struct CloseQueryInput {
    bool CloseWithoutAsking = false;  // set by the send command
    bool modified = false;            // the editor text has unsaved changes
    std::string CurrentMailFile;
    bool EnglishMenu = false;
};

// True when the window may close. A modified text asks Yes/No/Cancel: Yes closes only
// when save() reports success, No closes, Cancel keeps the window open. A name ending
// in ".tmp" (the mailer's compose file) gets the long warning, because such a file is
// lost when the session ends without saving.
bool CloseQuery(const CloseQueryInput& in, platform::Prompter& prompter,
                const std::function<bool()>& save);

// One settings value to write.

// What the window writes when it closes: Left, Top, Height and the width (as EditWidth for a
// compose file, else as Width) of section "Window" only when the window is in its normal state, so
// a maximised or minimised size never becomes the stored one; SaveAsDir of section "Location" in
// every state, but only when it is known (a window closed before the second start-up phase has not
// read it and must not blank it).
std::vector<SettingWrite> ClosingWrites(platform::WindowState state,
                                        const platform::WindowPlacement& placement,
                                        const std::string& currentMailFile,
                                        const std::optional<std::string>& saveAsDir);

}  // namespace varnel::app
