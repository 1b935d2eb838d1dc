// Runtime directory resolution and its ownership and permission checks.
#include "link/RuntimeDir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace varnel::link {
namespace {

std::string Lower(std::string_view s) {
    std::string r(s);
    for (char& c : r) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return r;
}

}  // namespace

std::string RuntimeDirFor(const char* varnelRuntimeDir, const char* xdgRuntimeDir, uid_t uid) {
    if (varnelRuntimeDir && *varnelRuntimeDir)
        return varnelRuntimeDir;
    if (xdgRuntimeDir && *xdgRuntimeDir)
        return std::string(xdgRuntimeDir) + "/varnel";
    return "/tmp/varnel-" + std::to_string(uid);
}

bool EnsurePrivateDir(const std::string& dir, uid_t uid, std::string& error) {
    if (dir.empty() || dir[0] != '/') {
        error = "runtime directory must be an absolute path: " + dir;
        return false;
    }
    if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) {
        error = "cannot create " + dir + ": " + std::strerror(errno);
        return false;
    }
    struct stat st {};
    // lstat: a symbolic link planted in /tmp must not redirect the sockets.
    if (::lstat(dir.c_str(), &st) != 0) {
        error = "cannot examine " + dir + ": " + std::strerror(errno);
        return false;
    }
    if (!S_ISDIR(st.st_mode)) {
        error = dir + " is not a directory";
        return false;
    }
    if (st.st_uid != uid) {
        error = dir + " belongs to another user";
        return false;
    }
    if ((st.st_mode & 077) != 0 && ::chmod(dir.c_str(), 0700) != 0) {
        error = "cannot make " + dir + " private: " + std::strerror(errno);
        return false;
    }
    return true;
}

std::optional<std::string> OpenRuntimeDir(std::string& error) {
    const uid_t uid = ::geteuid();
    std::string dir =
        RuntimeDirFor(std::getenv("VARNEL_RUNTIME_DIR"), std::getenv("XDG_RUNTIME_DIR"), uid);
    if (!EnsurePrivateDir(dir, uid, error))
        return std::nullopt;
    return dir;
}

bool IsChannelName(std::string_view name) {
    if (name.empty() || name.size() > 64)
        return false;
    for (char c : name) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                        (c >= '0' && c <= '9') || c == '_' || c == '-';
        if (!ok)
            return false;
    }
    return true;
}

std::string SocketName(std::string_view service, std::string_view topic) {
    return Lower(service) + "." + Lower(topic);
}

}  // namespace varnel::link
