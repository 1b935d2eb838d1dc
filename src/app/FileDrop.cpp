// A file dropped on the window replaces the shown text as plain text.
#include <string>

#include "app/TForm1.h"
#include "editor/SonStrings.h"

namespace varnel::app {

void TForm1::FileDropped(const std::string& dropFiles) {
    const std::string first = dropFiles.substr(0, dropFiles.find('|'));
    if (first.empty() || !CanLeaveCurrent())
        return;
    editor::TSonStrings loaded;
    std::string error;
    if (!loaded.LoadFromFile(first, error)) {
        io_.prompter.Tell(first + "\n" + error, platform::Severity::Error);
        return;
    }
    // The name is kept as dropped: Linux paths are case-sensitive.
    CurrentMailFile = first;
    ForwardTail.reset();
    temporaryViewerColor_.reset();
    ShowText(loaded.GetTextStr(), true);
    ApplyMode();
}

}  // namespace varnel::app
