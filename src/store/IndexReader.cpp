// Command-scoped reading of folder index files.
#include "store/IndexReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "store/FolderIndex.h"

namespace varnel::store {

namespace {

std::uint32_t Le32(const char* at) {
    std::uint32_t v = 0;
    for (int k = 3; k >= 0; --k)
        v = (v << 8) | static_cast<unsigned char>(at[k]);
    return v;
}

}  // namespace

bool SplitStringArea(std::string_view area, std::array<std::string_view, 4>& strings) {
    strings = {};
    for (auto& s : strings) {
        const auto nul = area.find('\0');
        if (nul == std::string_view::npos)
            return false;  // no NUL inside the record: the string and the rest are dropped
        s = area.substr(0, nul);
        area.remove_prefix(nul + 1);
    }
    return true;
}

IndexReader::IndexReader(const std::string& path) : path_(path) {
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (fd_ < 0 || ::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
        return;
    }
    const auto size = static_cast<std::size_t>(st.st_size);
    if (size < kIndexHeaderSize) {
        trailing_ = size;
    } else {
        count_ = (size - kIndexHeaderSize) / kIndexRecordSize;
        trailing_ = (size - kIndexHeaderSize) % kIndexRecordSize;
    }
}

IndexReader::~IndexReader() {
    if (fd_ >= 0)
        ::close(fd_);
}

const char* IndexReader::RecordBytes(std::size_t i) {
    if (fd_ < 0 || i >= count_)
        return nullptr;
    if (i < blockFirst_ || i >= blockFirst_ + blockCount_) {
        const std::size_t first = i - i % kBlockRecords;
        const std::size_t n = std::min(kBlockRecords, count_ - first);
        block_.resize(n * kIndexRecordSize);
        blockCount_ = 0;
        if (!ReadAllAt(fd_, block_.data(), block_.size(),
                       kIndexHeaderSize + first * kIndexRecordSize)) {
            readFailed_ = true;  // the file shrank under us, or an I/O error
            return nullptr;
        }
        blockFirst_ = first;
        blockCount_ = n;
    }
    return block_.data() + (i - blockFirst_) * kIndexRecordSize;
}

RecordKeys IndexReader::Keys(std::size_t i) {
    RecordKeys k;
    const char* r = RecordBytes(i);
    if (!r || r[0] == IndexStatus::kEmpty)
        return k;
    k.status = static_cast<std::uint8_t>(r[0]);
    k.time = Le32(r + 4);
    std::array<std::string_view, 4> s;
    if (!SplitStringArea(std::string_view(r + kIndexStringAreaOffset, kIndexStringAreaSize), s))
        unterminated_ = true;
    k.ownId = s[1];
    k.parentId = s[2];
    k.subject = s[3];
    return k;
}

std::uint8_t IndexReader::Status(std::size_t i) {
    const char* r = RecordBytes(i);
    return r ? static_cast<std::uint8_t>(r[0]) : IndexStatus::kEmpty;
}

std::uint32_t IndexReader::Time(std::size_t i) {
    const char* r = RecordBytes(i);
    return (!r || r[0] == IndexStatus::kEmpty) ? 0 : Le32(r + 4);
}

std::string IndexReader::DamageReport() const {
    std::string s;
    if (trailing_ != 0)
        s += path_ + ": " + std::to_string(trailing_) + " bytes after the last whole record. ";
    if (unterminated_)
        s += path_ + ": a record's strings do not end inside it. ";
    if (readFailed_)
        s += path_ + ": a record could not be read. ";
    if (!s.empty())
        s.pop_back();
    return s;
}

}  // namespace varnel::store
