// Reading folder index files record by record, and writing them for the mailer's side.
#include "store/FolderIndex.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "editor/ReplaceFile.h"

namespace varnel::store {

namespace {

constexpr char kMagic[] = "PELK-FOLDER-INDEX";
constexpr std::size_t kVersionOffset = 20;
constexpr std::uint32_t kVersion = 1;

std::string SystemError(const std::string& what, const std::string& path) {
    return what + " " + path + ": " + std::strerror(errno);
}

std::size_t OffsetOf(std::size_t i) {
    return kIndexHeaderSize + i * kIndexRecordSize;
}

std::size_t CompleteRecords(std::size_t fileSize) {
    return fileSize < kIndexHeaderSize ? 0 : (fileSize - kIndexHeaderSize) / kIndexRecordSize;
}

std::size_t TailBytes(std::size_t fileSize) {
    return fileSize < kIndexHeaderSize ? 0 : (fileSize - kIndexHeaderSize) % kIndexRecordSize;
}

// Closes a descriptor when it goes out of scope.
class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    // Closes now, reporting failure (a delayed write error shows up here).
    bool Close() {
        const int fd = std::exchange(fd_, -1);
        return fd < 0 || ::close(fd) == 0;
    }

  private:
    int fd_;
};

bool WriteAllAt(int fd, const char* data, std::size_t size, std::size_t offset) {
    while (size > 0) {
        const ssize_t n = ::pwrite(fd, data, size, static_cast<off_t>(offset));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
        offset += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

bool ReadAllAt(int fd, char* data, std::size_t size, std::size_t offset) {
    while (size > 0) {
        const ssize_t n = ::pread(fd, data, size, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= static_cast<std::size_t>(n);
        offset += static_cast<std::size_t>(n);
    }
    return true;
}

FolderIndex::FolderIndex(const std::string& path) : path_(path) {
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0)
        error_ = SystemError("cannot open", path);
}

FolderIndex::~FolderIndex() {
    if (fd_ >= 0)
        ::close(fd_);
}

FolderIndex::FolderIndex(FolderIndex&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      path_(std::move(other.path_)),
      error_(std::move(other.error_)) {}

FolderIndex& FolderIndex::operator=(FolderIndex&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
        path_ = std::move(other.path_);
        error_ = std::move(other.error_);
    }
    return *this;
}

std::size_t FolderIndex::FileSize() const {
    struct stat st {};
    if (fd_ < 0 || ::fstat(fd_, &st) != 0)
        return 0;
    return static_cast<std::size_t>(st.st_size);
}

bool FolderIndex::ReadAt(std::size_t offset, char* buffer, std::size_t size) const {
    return fd_ >= 0 && ReadAllAt(fd_, buffer, size, offset);
}

std::size_t FolderIndex::RecordCount() const {
    return CompleteRecords(FileSize());
}

std::size_t FolderIndex::TrailingBytes() const {
    return TailBytes(FileSize());
}

std::optional<IndexRecord> FolderIndex::ReadRecord(std::size_t i) const {
    if (i >= RecordCount())
        return std::nullopt;
    IndexRecordBytes bytes;
    if (!ReadAt(OffsetOf(i), bytes.data(), bytes.size()))
        return std::nullopt;
    return DecodeIndexRecord(std::string_view(bytes.data(), bytes.size()));
}

std::uint8_t FolderIndex::ReadStatus(std::size_t i) const {
    char status = 0;
    if (i >= RecordCount() || !ReadAt(OffsetOf(i), &status, 1))
        return IndexStatus::kEmpty;
    return static_cast<std::uint8_t>(status);
}

std::uint32_t FolderIndex::ReadTime(std::size_t i) const {
    char bytes[8];
    if (i >= RecordCount() || !ReadAt(OffsetOf(i), bytes, sizeof bytes) ||
        bytes[0] == IndexStatus::kEmpty)
        return 0;
    std::uint32_t v = 0;
    for (int k = 7; k >= 4; --k)
        v = (v << 8) | static_cast<unsigned char>(bytes[k]);
    return v;
}

std::string FolderIndex::NewHeader() {
    std::string header(kIndexHeaderSize, '\0');
    std::memcpy(header.data(), kMagic, sizeof kMagic - 1);
    for (int k = 0; k < 4; ++k)
        header[kVersionOffset + k] = static_cast<char>((kVersion >> (8 * k)) & 0xFF);
    return header;
}

std::optional<FolderIndexContents> FolderIndex::ReadAll(const std::string& path,
                                                        std::string* error) {
    FolderIndex file(path);
    if (!file.IsOpen()) {
        if (error)
            *error = file.Error();
        return std::nullopt;
    }
    const std::size_t size = file.FileSize();
    if (size < kIndexHeaderSize) {
        if (error)
            *error = path + ": " + std::to_string(size) + " bytes, shorter than the header";
        return std::nullopt;
    }
    std::string bytes(size, '\0');
    if (!file.ReadAt(0, bytes.data(), size)) {
        if (error)
            *error = SystemError("cannot read", path);
        return std::nullopt;
    }
    FolderIndexContents contents;
    contents.header = bytes.substr(0, kIndexHeaderSize);
    const std::size_t count = CompleteRecords(size);
    contents.records.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        contents.records.push_back(
            DecodeIndexRecord(std::string_view(bytes).substr(OffsetOf(i), kIndexRecordSize)));
    }
    contents.trailingBytes = TailBytes(size);
    return contents;
}

IndexResult FolderIndex::Write(const std::string& path, const std::vector<IndexRecord>& records,
                               const std::string& header) {
    IndexResult result;
    if (records.size() > kMaxIndexRecords) {
        result.ok = false;
        result.error = path + ": " + std::to_string(records.size()) + " records, more than " +
                       std::to_string(kMaxIndexRecords);
        return result;
    }
    std::string bytes = header.size() == kIndexHeaderSize ? header : NewHeader();
    bytes.reserve(OffsetOf(records.size()));
    for (const auto& record : records) {
        EncodeReport report;
        const auto encoded = EncodeIndexRecord(record, &report);
        result.stringsCut = result.stringsCut || report.cut || report.nulDropped;
        bytes.append(encoded.data(), encoded.size());
    }

    std::string error;
    if (!editor::ReplaceFileWrite(path, bytes, error)) {
        result.ok = false;
        result.error = error;
    }
    return result;
}

IndexResult FolderIndex::UpdateStatus(const std::string& path, std::size_t i, std::uint8_t status) {
    IndexResult result;
    result.index = i;
    Fd fd(::open(path.c_str(), O_RDWR | O_CLOEXEC));
    struct stat st {};
    if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0) {
        result.ok = false;
        result.error = SystemError("cannot open", path);
        return result;
    }
    const std::size_t count = CompleteRecords(static_cast<std::size_t>(st.st_size));
    char old = 0;
    if (i >= count) {
        result.ok = false;
        result.error = path + ": no record " + std::to_string(i) + " (the file holds " +
                       std::to_string(count) + ")";
        return result;
    }
    if (!ReadAllAt(fd.get(), &old, 1, OffsetOf(i))) {
        result.ok = false;
        result.error = SystemError("cannot read", path);
        return result;
    }
    if (old == IndexStatus::kEmpty && status != IndexStatus::kEmpty) {
        result.ok = false;
        result.error = path + ": record " + std::to_string(i) + " is an empty slot";
        return result;
    }
    const char byte = static_cast<char>(status);
    if (!WriteAllAt(fd.get(), &byte, 1, OffsetOf(i)) || !fd.Close()) {
        result.ok = false;
        result.error = SystemError("cannot write", path);
    }
    return result;
}

IndexResult FolderIndex::PutRecord(const std::string& path, std::size_t i,
                                   const IndexRecord& record) {
    IndexResult result;
    result.index = i;
    if (i >= kMaxIndexRecords) {
        result.ok = false;
        result.error = path + ": record " + std::to_string(i) + " is beyond mail number 9999";
        return result;
    }
    Fd fd(::open(path.c_str(), O_RDWR | O_CLOEXEC));
    if (fd.get() < 0 && errno == ENOENT) {
        std::vector<IndexRecord> records(i + 1);
        records[i] = record;
        IndexResult created = Write(path, records);
        created.index = i;
        return created;
    }
    struct stat st {};
    if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0) {
        result.ok = false;
        result.error = SystemError("cannot open", path);
        return result;
    }
    const std::size_t size = static_cast<std::size_t>(st.st_size);
    if (size < kIndexHeaderSize) {
        result.ok = false;
        result.error = path + ": " + std::to_string(size) + " bytes, shorter than the header";
        return result;
    }
    const std::size_t count = CompleteRecords(size);
    if (TailBytes(size) != 0) {
        if (::ftruncate(fd.get(), static_cast<off_t>(OffsetOf(count))) != 0) {
            result.ok = false;
            result.error = SystemError("cannot cut the incomplete last record of", path);
            return result;
        }
        result.droppedTailBytes = TailBytes(size);
    }
    // Empty slots for the numbers between the last record and i, then the record.
    const std::size_t first = std::min(i, count);
    std::string bytes((i - first) * kIndexRecordSize, '\0');
    EncodeReport report;
    const auto encoded = EncodeIndexRecord(record, &report);
    result.stringsCut = report.cut || report.nulDropped;
    bytes.append(encoded.data(), encoded.size());
    if (!WriteAllAt(fd.get(), bytes.data(), bytes.size(), OffsetOf(first)) ||
        ::fsync(fd.get()) != 0 || !fd.Close()) {
        result.ok = false;
        result.error = SystemError("cannot write", path);
    }
    return result;
}

IndexResult FolderIndex::Append(const std::string& path, const IndexRecord& record) {
    std::size_t next = 0;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0)
        next = CompleteRecords(static_cast<std::size_t>(st.st_size));
    return PutRecord(path, next, record);
}

}  // namespace varnel::store
