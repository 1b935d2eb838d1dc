// Whole-file reads and temp-file-and-rename writes.
#include "editor/ReplaceFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

namespace varnel::editor {

namespace fs = std::filesystem;

namespace {

std::string Reason(const std::string& what, const std::string& path, int err) {
    return what + " " + path + ": " + std::strerror(err);
}

bool WriteAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// The file a write to path lands in: path itself, or the end of its chain of symbolic
// links (which may not exist yet). Renaming over the link would turn it into a plain
// file and leave its target stale.
bool FinalTarget(const std::string& path, fs::path& target, std::string& error) {
    target = path;
    for (int hops = 0;; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(target, ec))
            return true;
        if (hops == 40) {
            error = Reason("Cannot follow the links of", path, ELOOP);
            return false;
        }
        const fs::path next = fs::read_symlink(target, ec);
        if (ec) {
            error = Reason("Cannot follow the link", target.string(), ec.value());
            return false;
        }
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
}

// ".~" + NAME + ".varnel-" + PID + ".XXXXXX": hidden, never a mail name (NNNN.txt), and
// telling which process wrote it. A very long NAME is shortened so the whole still fits
// in a directory entry.
constexpr std::string_view kTempMark = ".varnel-";
constexpr std::size_t kMaxNameInTemp = 200;

std::string TemporaryNameFor(const fs::path& target) {
    std::string name = target.filename().string();
    if (name.size() > kMaxNameInTemp)
        name.resize(kMaxNameInTemp);
    return ".~" + name + std::string(kTempMark) + std::to_string(::getpid()) + ".XXXXXX";
}

// The writer's pid in a temporary file name of ours, or 0 when name is not one.
pid_t WriterOf(std::string_view name) {
    if (!name.starts_with(".~") || name.size() < 2 + kTempMark.size() + 1 + 7 ||
        name[name.size() - 7] != '.')
        return 0;
    const std::string_view head = name.substr(0, name.size() - 7);
    const std::size_t mark = head.rfind(kTempMark);
    if (mark == std::string_view::npos || mark < 2)
        return 0;
    const std::string_view digits = head.substr(mark + kTempMark.size());
    if (digits.empty() || digits.size() > 9)
        return 0;
    pid_t pid = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return 0;
        pid = pid * 10 + (c - '0');
    }
    return pid;
}

bool ProcessIsGone(pid_t pid) {
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

}  // namespace

int RemoveStaleTemporaries(const std::string& dir) {
    DIR* d = ::opendir(dir.c_str());
    if (!d)
        return 0;
    int removed = 0;
    const pid_t self = ::getpid();
    while (const dirent* e = ::readdir(d)) {
        const pid_t pid = WriterOf(e->d_name);
        if (pid <= 0 || pid == self || !ProcessIsGone(pid))
            continue;
        struct stat st {};
        if (::fstatat(::dirfd(d), e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(st.st_mode) || st.st_uid != ::geteuid())
            continue;
        if (::unlinkat(::dirfd(d), e->d_name, 0) == 0)
            ++removed;
    }
    ::closedir(d);
    return removed;
}

bool ReplaceFileWrite(const std::string& path, std::string_view bytes, std::string& error,
                      ReplaceFileOptions options) {
    fs::path resolved;
    if (!FinalTarget(path, resolved, error))
        return false;
    const std::string target = resolved.string();
    const std::string dir = resolved.has_parent_path() ? resolved.parent_path().string() : ".";
    if (options.createDirectories) {
        std::error_code ec;
        if (!fs::exists(dir, ec) && !fs::create_directories(dir, ec) && ec) {
            error = Reason("Cannot create the directory", dir, ec.value());
            return false;
        }
    }
    struct stat st {};
    const bool existed = ::stat(target.c_str(), &st) == 0;
    // The rename would replace a file nobody may write; such a file is left alone.
    if (existed && S_ISREG(st.st_mode) &&
        ((st.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0)) {
        error = target + " is write-protected; it was left as it is";
        return false;
    }
    RemoveStaleTemporaries(dir);
    const std::string pattern = (fs::path(dir) / TemporaryNameFor(resolved)).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) {
        error = Reason("Cannot create a temporary file beside", target, errno);
        return false;
    }
    const std::string tmp(name.data());
    int err = 0;
    if (::fchmod(fd, existed ? (st.st_mode & 07777) : 0644) != 0 || !WriteAll(fd, bytes) ||
        ::fsync(fd) != 0)
        err = errno;
    if (::close(fd) != 0 && err == 0)
        err = errno;
    if (err == 0 && ::rename(tmp.c_str(), target.c_str()) != 0)
        err = errno;
    if (err != 0) {
        ::unlink(tmp.c_str());
        error = Reason("Cannot write", target, err);
        return false;
    }
    // Make the rename itself durable; a failure here does not lose data.
    if (const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY); dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return true;
}

bool ReplaceFileRead(const std::string& path, std::string& bytes, std::string& error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        error = Reason("Cannot open", path, errno);
        return false;
    }
    struct stat st {};
    int err = 0;
    if (::fstat(fd, &st) != 0)
        err = errno;
    else if (!S_ISREG(st.st_mode))
        err = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    std::string out;
    if (err == 0) {
        out.reserve(static_cast<std::size_t>(st.st_size));
        char buf[65536];
        for (;;) {
            const ssize_t n = ::read(fd, buf, sizeof buf);
            if (n == 0)
                break;
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                err = errno;
                break;
            }
            out.append(buf, static_cast<std::size_t>(n));
        }
    }
    ::close(fd);
    if (err != 0) {
        error = Reason("Cannot read", path, err);
        return false;
    }
    bytes = std::move(out);
    return true;
}

}  // namespace varnel::editor
