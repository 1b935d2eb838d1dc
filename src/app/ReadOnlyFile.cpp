// Mapping or reading a file whole.
#include "app/ReadOnlyFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace varnel::app {

namespace {

// From this size on mapping costs less than reading: the kernel's cached pages are read
// in place, with no copy and no fresh memory to fault in.
constexpr off_t kMapFrom = off_t{1} << 20;

// A mapped file cut short by another program, or a read error beneath the mapping,
// raises SIGBUS on the next access: the process ends with a reason instead of a crash.
void OnBusError(int) {
    static const char kReason[] = "varnel32: the file could not be read to its end\n";
    [[maybe_unused]] const ssize_t n = ::write(2, kReason, sizeof kReason - 1);
    ::_exit(1);
}

}  // namespace

ReadOnlyFile::ReadOnlyFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        const auto size = static_cast<std::size_t>(st.st_size);
        ok_ = (st.st_size >= kMapFrom && Map(fd, size)) || Read(fd, size);
    }
    ::close(fd);
}

ReadOnlyFile::~ReadOnlyFile() {
    if (!mapped_)
        return;
    ::munmap(const_cast<char*>(mapped_), size_);
    ::sigaction(SIGBUS, &previous_, nullptr);
}

bool ReadOnlyFile::Map(int fd, std::size_t size) {
    void* p = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
    if (p == MAP_FAILED)
        return false;
    ::madvise(p, size, MADV_SEQUENTIAL);
    mapped_ = static_cast<const char*>(p);
    size_ = size;
    struct sigaction onBus {};
    onBus.sa_handler = OnBusError;
    ::sigemptyset(&onBus.sa_mask);
    ::sigaction(SIGBUS, &onBus, &previous_);
    return true;
}

// Up to the end of the file, whatever its size has become since it was asked.
bool ReadOnlyFile::Read(int fd, std::size_t size) {
    read_.resize(size + 1);
    std::size_t got = 0;
    for (;;) {
        if (got == read_.size())
            read_.resize(read_.size() * 2);
        const ssize_t n = ::read(fd, read_.data() + got, read_.size() - got);
        if (n == 0)
            break;
        if (n < 0 && errno != EINTR)
            return false;
        if (n > 0)
            got += static_cast<std::size_t>(n);
    }
    read_.resize(got);
    return true;
}

}  // namespace varnel::app
