// The --dump output.
#include "app/MailDump.h"

#include <ostream>

#include "app/DisplayLines.h"
#include "editor/SonStrings.h"
#include "text/Cp932.h"

namespace varnel::app {

// Follows OpenMailFile: for now files are shown as stored; when the header and body
// passes land, the dump runs them without marking the mail read.
int DumpMailFile(const std::string& path, const Settings&, std::ostream& out, std::ostream& err) {
    editor::TSonStrings store;
    std::string error;
    if (!store.LoadFromFile(path, error)) {
        err << "varnel32: " << error << "\n";
        return 1;
    }
    for (const std::string& line : ShownLines(store))
        out << text::Cp932ToUtf8(line) << '\n';
    out.flush();
    return out ? 0 : 1;
}

}  // namespace varnel::app
