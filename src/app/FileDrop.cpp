// A file dropped on the window replaces the shown text as plain text.
#include <string>

#include "app/TForm1.h"

namespace varnel::app {

void TForm1::FileDropped(const std::string& dropFiles) {
    const std::string first = dropFiles.substr(0, dropFiles.find('|'));
    if (first.empty() || !CanLeaveCurrent())
        return;
    LoadPlainText(first);  // the name is kept as dropped, whatever its length
}

}  // namespace varnel::app
