// A file's bytes for a reader that only reads them once (--dump): a large file is
// mapped, a small one read. While a file is mapped, SIGBUS (the file cut short by
// another program) ends the process with a reason on standard error.
#pragma once

#include <csignal>
#include <cstddef>
#include <string>
#include <string_view>

namespace varnel::app {

class ReadOnlyFile {
  public:
    // Not Ok() when path is not a regular file or cannot be opened, mapped or read: the
    // caller reads it the window's way (editor::ReplaceFileRead), which words the error.
    explicit ReadOnlyFile(const std::string& path);
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    bool Ok() const { return ok_; }
    std::string_view Bytes() const { return mapped_ ? std::string_view(mapped_, size_) : read_; }

  private:
    bool Map(int fd, std::size_t size);
    bool Read(int fd, std::size_t size);

    const char* mapped_ = nullptr;
    std::size_t size_ = 0;
    std::string read_;
    bool ok_ = false;
    struct sigaction previous_ {};  // SIGBUS as it was before the mapping
};

}  // namespace varnel::app
