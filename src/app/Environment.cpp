// The process environment behind EnvLookup.
#include "app/Environment.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string_view>

namespace varnel::app {

EnvLookup ProcessEnvironment() {
    return [](const std::string& name) -> std::string {
        if (const char* v = std::getenv(name.c_str()); v && *v)
            return v;
        if (name == "HOME") {
            if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir)
                return pw->pw_dir;
        }
        return {};
    };
}

namespace {

// A user-dirs.dirs value: "$HOME/rest" or an absolute path, in double quotes.
std::string UserDirValue(std::string_view v, const std::string& home) {
    if (v.size() < 2 || v.front() != '"' || v.back() != '"')
        return {};
    v = v.substr(1, v.size() - 2);
    if (v.starts_with("$HOME")) {
        const std::string_view rest = v.substr(5);
        if (!rest.empty() && rest[0] != '/')
            return {};
        return home + std::string(rest);
    }
    return !v.empty() && v[0] == '/' ? std::string(v) : std::string();
}

}  // namespace

std::string DesktopDirectory(const EnvLookup& env) {
    if (const std::string d = env("XDG_DESKTOP_DIR"); !d.empty() && d[0] == '/')
        return d;
    const std::string home = env("HOME");
    if (home.empty())
        return {};
    std::string config = env("XDG_CONFIG_HOME");
    if (config.empty() || config[0] != '/')
        config = home + "/.config";
    std::ifstream in(config + "/user-dirs.dirs");
    for (std::string line; std::getline(in, line);) {
        const std::string_view key = "XDG_DESKTOP_DIR=";
        if (line.starts_with(key)) {
            if (std::string d = UserDirValue(std::string_view(line).substr(key.size()), home);
                !d.empty())
                return d;
        }
    }
    return home + "/Desktop";
}

}  // namespace varnel::app
