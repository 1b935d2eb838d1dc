// Whole-file reads and temp-file-and-rename writes.
#include "editor/ReplaceFile.h"

#include <fcntl.h>
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

}  // namespace

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
    std::vector<char> name(target.begin(), target.end());
    const std::string_view suffix = ".XXXXXX";
    name.insert(name.end(), suffix.begin(), suffix.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        error = Reason("Cannot create a temporary file beside", target, errno);
        return false;
    }
    const std::string tmp(name.data());
    struct stat st {};
    const bool existed = ::stat(target.c_str(), &st) == 0;
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
