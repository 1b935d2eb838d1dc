// Whole-file reads and temp-file-and-rename writes.
#include "editor/ReplaceFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace varnel::editor {

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

}  // namespace

bool ReplaceFileWrite(const std::string& path, std::string_view bytes, std::string& error) {
    std::string dir = ".";
    if (const auto slash = path.rfind('/'); slash != std::string::npos)
        dir = slash == 0 ? "/" : path.substr(0, slash);
    std::string tmpl = path + ".XXXXXX";
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        error = Reason("Cannot create a temporary file beside", path, errno);
        return false;
    }
    const std::string tmp(name.data());
    struct stat st {};
    const bool existed = ::stat(path.c_str(), &st) == 0;
    ::fchmod(fd, existed ? (st.st_mode & 07777) : 0644);
    int err = 0;
    if (!WriteAll(fd, bytes) || ::fsync(fd) != 0)
        err = errno;
    if (::close(fd) != 0 && err == 0)
        err = errno;
    if (err == 0 && ::rename(tmp.c_str(), path.c_str()) != 0)
        err = errno;
    if (err != 0) {
        ::unlink(tmp.c_str());
        error = Reason("Cannot write", path, err);
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
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!f) {
        error = Reason("Cannot open", path, errno);
        return false;
    }
    std::string out;
    char buf[65536];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f.get())) > 0)
        out.append(buf, n);
    const bool bad = std::ferror(f.get()) != 0;
    const int err = errno;
    if (bad) {
        error = Reason("Cannot read", path, err);
        return false;
    }
    bytes = std::move(out);
    return true;
}

}  // namespace varnel::editor
