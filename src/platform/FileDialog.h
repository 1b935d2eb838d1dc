// The open and save-as file dialogs. Names are file-system paths as the system gives
// them; a filter is pairs of description and patterns separated by "|", as in
// "Text Files (*.txt)|*.txt|All Files (*.*)|*.*", patterns separated by ";".
#pragma once

#include <optional>
#include <string>

namespace varnel::platform {

class FileDialog {
  public:
    virtual ~FileDialog() = default;
    // The chosen existing file, or nullopt when the dialog was cancelled.
    virtual std::optional<std::string> AskOpen(const std::string& startDir,
                                               const std::string& filter) = 0;
    // The chosen file to write, or nullopt when cancelled. proposedName is a file name
    // without directory; defaultExt (without ".") is added to a name typed without one.
    virtual std::optional<std::string> AskSave(const std::string& startDir,
                                               const std::string& proposedName,
                                               const std::string& filter,
                                               const std::string& defaultExt) = 0;
};

}  // namespace varnel::platform
