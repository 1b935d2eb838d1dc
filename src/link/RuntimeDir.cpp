// Runtime directory resolution and its ownership and permission checks.
#include "link/RuntimeDir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "text/Message.h"

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

constexpr text::Message kNoChannel{
    "Varnel cannot talk with the mailer: %s\n\n"
    "The mailer cannot ask this window to open mail, and the mailer may not hear of "
    "what you read. Set XDG_RUNTIME_DIR or VARNEL_RUNTIME_DIR to a directory of your "
    "own (or remove the one named above if it is not needed), then start Varnel again.",
    "メーラーと通信できません: %s\n\n"
    "メーラーからこのウィンドウにメールを開かせることができず、既読もメーラーに伝わらないことが"
    "あります。XDG_RUNTIME_DIR か VARNEL_RUNTIME_DIR に自分専用のディレクトリを指定する"
    "（不要なら上のディレクトリを削除する）と、Varnel を起動し直してください。"};
constexpr text::Message kTamperedChannel{
    "%s\n\n"
    "Other users could write into Varnel's directory for talking with the mailer. It is "
    "private again; if you did not open it yourself, check who else uses this computer.",
    "%s\n\n"
    "メーラーとの通信用ディレクトリに他のユーザーが書き込める状態でした。現在は非公開に"
    "戻しました。心当たりがなければ、このコンピューターを使う他のユーザーを確認してください。"};

}  // namespace

std::string ChannelProblemText(const std::string& error, const std::string& notice,
                               bool englishMenu) {
    if (!error.empty())
        return kNoChannel.Format(englishMenu, error);
    if (!notice.empty())
        return kTamperedChannel.Format(englishMenu, notice);
    return {};
}

std::string RuntimeDirFor(const char* varnelRuntimeDir, const char* xdgRuntimeDir, uid_t uid) {
    if (varnelRuntimeDir && *varnelRuntimeDir)
        return varnelRuntimeDir;
    if (xdgRuntimeDir && *xdgRuntimeDir)
        return std::string(xdgRuntimeDir) + "/varnel";
    return "/tmp/varnel-" + std::to_string(uid);
}

bool EnsurePrivateDir(const std::string& dir, uid_t uid, std::string& error, std::string* notice) {
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
    if ((st.st_mode & 077) != 0) {
        if (::chmod(dir.c_str(), 0700) != 0) {
            error = "cannot make " + dir + " private: " + std::strerror(errno);
            return false;
        }
        if (notice && (st.st_mode & 022) != 0)
            *notice = dir + " was open to other users and has been made private";
    }
    return true;
}

std::optional<std::string> OpenRuntimeDir(std::string& error, std::string* notice) {
    const uid_t uid = ::geteuid();
    std::string dir =
        RuntimeDirFor(std::getenv("VARNEL_RUNTIME_DIR"), std::getenv("XDG_RUNTIME_DIR"), uid);
    if (!EnsurePrivateDir(dir, uid, error, notice))
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
