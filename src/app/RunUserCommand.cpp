// The user commands of the Command menu, run on the shown mail.
#include <filesystem>

#include "app/TForm1.h"
#include "app/UserCommand.h"
#include "app/UserMenus.h"
#include "editor/ReplaceFile.h"
#include "text/Cp932.h"

namespace varnel::app {

void TForm1::RunUserCommand(int index) {
    const std::vector<UserMenuEntry> entries = UserCommandEntries(settings_);
    if (index < 0 || static_cast<std::size_t>(index) >= entries.size() || CurrentMailFile.empty())
        return;
    const std::string& command = entries[static_cast<std::size_t>(index)].text;
    const UserCommandPlan plan = PlanUserCommand(command);
    if (plan.folder) {
        deferred_.PendingMoveKind = plan.operation;
        deferred_.PendingFolderTarget = plan.destination;
        deferred_.PendingFocusFile = CurrentMailFile;
        SendFolderCommand();
        return;
    }
    if (plan.program.empty()) {
        io_.prompter.Tell(text::Cp932ToUtf8(command) + "\n" + plan.error,
                          platform::Severity::Error);
        return;
    }
    std::string file = CurrentMailFile;
    std::string error;
    if (!plan.copyExtension.empty()) {
        // The copy under another extension goes into the private directory (removed
        // when the window closes), never beside the program.
        if (!privateDir_)
            privateDir_ = mail::PrivateTempDir::Create(error);
        std::string bytes;
        const std::string name =
            std::filesystem::path(CurrentMailFile).stem().string() + plan.copyExtension;
        if (!privateDir_ || !editor::ReplaceFileRead(CurrentMailFile, bytes, error) ||
            !privateDir_->WriteFile(name, bytes, error)) {
            io_.prompter.Tell(error, platform::Severity::Error);
            return;
        }
        file = privateDir_->FilePath(name);
    }
    std::vector<std::string> argv = plan.program;
    argv.push_back(file);
    argv.insert(argv.end(), plan.trailing.begin(), plan.trailing.end());
    if (!io_.launcher.Start(argv, error))
        io_.prompter.Tell(argv.front() + ": " + error, platform::Severity::Error);
}

}  // namespace varnel::app
