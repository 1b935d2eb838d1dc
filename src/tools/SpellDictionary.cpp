// Dictionary paths of the spelling check.
#include "tools/SpellDictionary.h"

#include <filesystem>

namespace varnel::tools {
namespace {

bool HasPair(const std::string& base) {
    std::error_code ec;
    return std::filesystem::is_regular_file(base + ".aff", ec) &&
           std::filesystem::is_regular_file(base + ".dic", ec);
}

}  // namespace

std::string MainDictionaryBase(const std::string& basicDic,
                               const std::vector<std::string>& systemDirs) {
    if (!basicDic.empty()) {
        std::filesystem::path p(basicDic);
        const std::string ext = p.extension().string();
        if (ext == ".aff" || ext == ".dic" || ext == ".wtr")
            p.replace_extension();
        if (HasPair(p.string()))
            return p.string();
    }
    for (const std::string& dir : systemDirs) {
        const std::string base = dir + "/en_US";
        if (HasPair(base))
            return base;
    }
    return {};
}

std::vector<std::string> SystemDictionaryDirs() {
    return {"/usr/share/hunspell", "/usr/share/myspell", "/usr/share/myspell/dicts"};
}

std::string UserDictionaryPath(const std::string& configDir) {
    return (configDir.empty() ? std::string(".") : configDir) + "/UserDic.txt";
}

}  // namespace varnel::tools
