// A folder index file opened for one command: its size is taken once at the open, only
// whole records are read, every string is bounded by its record, and damage (a cut last
// record, a record whose strings lack their NULs) is noted for the caller to report.
// Records are read through a small block cache, so a scan over thousands of records
// costs a few dozen reads instead of one per record, and the file is never loaded whole.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/IndexRecord.h"

namespace varnel::store {

// What a command needs of a record: the strings are views into the reader's cache
// and stay valid until the next read.
struct RecordKeys {
    std::uint8_t status = IndexStatus::kEmpty;
    std::uint32_t time = 0;
    std::string_view ownId;
    std::string_view parentId;
    std::string_view subject;
    bool used() const { return status != IndexStatus::kEmpty; }
};

class IndexReader {
  public:
    explicit IndexReader(const std::string& path);
    ~IndexReader();
    IndexReader(const IndexReader&) = delete;
    IndexReader& operator=(const IndexReader&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    const std::string& Path() const { return path_; }
    // Whole records in the file when it was opened: (size - 128) div 512.
    std::size_t Count() const { return count_; }
    // Bytes after the last whole record (a cut append), or a file shorter than its
    // header; such bytes are never read as a record.
    std::size_t TrailingBytes() const { return trailing_; }

    // Record i's fields; an empty record (status 0) for i beyond Count() or on a read
    // failure. A status-0 record yields no strings and time 0.
    RecordKeys Keys(std::size_t i);
    std::uint8_t Status(std::size_t i);
    std::uint32_t Time(std::size_t i);

    // True once a read has met damage: trailing bytes, a record whose four strings do
    // not all end inside it, or a read that failed.
    bool Damaged() const { return trailing_ != 0 || unterminated_ || readFailed_; }
    // One English sentence on the damage for logs; "" when none.
    std::string DamageReport() const;

  private:
    static constexpr std::size_t kBlockRecords = 64;
    const char* RecordBytes(std::size_t i);

    int fd_ = -1;
    std::string path_;
    std::size_t count_ = 0;
    std::size_t trailing_ = 0;
    bool unterminated_ = false;
    bool readFailed_ = false;
    std::vector<char> block_;
    std::size_t blockFirst_ = 0;
    std::size_t blockCount_ = 0;
};

// Splits a 500-byte string area into its four strings, each bounded by the area; false
// when a string does not end with its NUL inside the area (the rest is then empty).
bool SplitStringArea(std::string_view area, std::array<std::string_view, 4>& strings);

}  // namespace varnel::store
