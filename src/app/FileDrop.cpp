// A file dropped on the window replaces the shown text as plain text.
#include <string>
#include <vector>

#include "app/DisplayLines.h"
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
    const std::vector<std::string> lines = ShownLines(loaded);
    // The name is kept as dropped: Linux paths are case-sensitive.
    CurrentMailFile = first;
    ForwardTail.reset();
    temporaryViewerColor_.reset();
    store_.Assign(lines);
    io_.view.ShowLines(lines);
    ApplyMode();
    editor_.Modified = false;
}

}  // namespace varnel::app
