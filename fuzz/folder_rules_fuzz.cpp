// The folder definition file: a rule line read back from its parts is the same rule, and
// settings values become paths under the mailer's directory.
#include <string>

#include "FuzzInput.h"
#include "store/FolderDefinitions.h"

using varnel::fuzzing::Check;
using varnel::store::FolderDefinitions;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto p = varnel::fuzzing::Parts(data, size, 2);
    // (A folder ending in CR is left out: the CR of a CR LF line end is not kept.)
    if (const auto rule = FolderDefinitions::ParseRule(p[0]);
        rule && !rule->folder.ends_with('\r')) {
        const auto again = FolderDefinitions::ParseRule("/" + rule->pattern + "/ " + rule->folder);
        Check(again && again->pattern == rule->pattern && again->folder == rule->folder,
              "a rule written out reads back");
    }
    const std::string path = FolderDefinitions::ResolvePath("/home/u/pelk", p[1]);
    Check(path.empty() || path.front() == '/', "paths are absolute");
    return 0;
}
