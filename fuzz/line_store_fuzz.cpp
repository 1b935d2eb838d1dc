// The editor's line store: a file loaded and saved comes back byte for byte, apart from
// its lone LF (or lone CR) line ends, which become CR LF, as the file's first line end
// decides.
#include <string>

#include "FuzzInput.h"
#include "editor/LineSplitter.h"
#include "editor/SonStrings.h"

using varnel::fuzzing::Check;

namespace {

// The bytes a save writes, worked out on its own from the first line end.
std::string Expected(const std::string& in) {
    const std::size_t first = in.find_first_of("\r\n");
    if (first == std::string::npos)
        return in;
    const bool crlf = in[first] == '\r' && first + 1 < in.size() && in[first + 1] == '\n';
    if (crlf)
        return in;
    const char end = in[first];
    std::string out;
    for (std::size_t i = 0; i < in.size(); ++i) {
        if (in[i] == '\r' && i + 1 < in.size() && in[i + 1] == '\n') {
            out += "\r\n";
            ++i;
        } else if (in[i] == end) {
            out += "\r\n";
        } else {
            out += in[i];
        }
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string in(reinterpret_cast<const char*>(data), size);
    varnel::editor::TSonStrings store;
    store.Assign(varnel::editor::LineSplitterFileLines(in));
    Check(store.GetFileText() == Expected(in), "load and save are byte-exact");
    // The store's own form: hard ends are CR LF, and only the last line ends in NUL.
    for (int i = 0; i < store.Count(); ++i) {
        const std::string& line = store[i];
        const bool last = i + 1 == store.Count();
        Check(last ? line.ends_with('\0') : line.ends_with("\r\n"), "line ends");
    }
    return 0;
}
