// Settings file lookup: explicit override, portable install, then the XDG config dir.
#include "app/SettingsLocation.h"

#include <filesystem>

namespace varnel::app {

namespace {

namespace fs = std::filesystem;

std::string ParentOf(const std::string& file) {
    const fs::path parent = fs::path(file).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

SettingsLocation At(std::string file) {
    SettingsLocation loc;
    loc.sideFileDir = ParentOf(file);
    loc.file = std::move(file);
    return loc;
}

}  // namespace

SettingsLocation LocateSettingsFile(const EnvLookup& env, const std::string& exeDir) {
    if (std::string explicitFile = env("VARNEL_INI"); !explicitFile.empty())
        return At(std::move(explicitFile));
    if (!exeDir.empty()) {
        const fs::path portable = fs::path(exeDir) / "varnel32.ini";
        std::error_code ec;
        if (fs::is_regular_file(portable, ec))
            return At(portable.string());
    }
    std::string config = env("XDG_CONFIG_HOME");
    if (config.empty() || config[0] != '/')
        config = env("HOME") + "/.config";
    return At((fs::path(config) / "varnel32" / "varnel32.ini").string());
}

std::string RunningExecutableDir() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.parent_path().string();
}

}  // namespace varnel::app
