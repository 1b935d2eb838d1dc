// The process environment behind EnvLookup.
#include "app/Environment.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

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

}  // namespace varnel::app
