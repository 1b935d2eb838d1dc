// A folder index file: a 128-byte file header, then record i (512 bytes, IndexRecord.h)
// for mail number i. Reading seeks to single records of an open file (the mailer keeps
// the file open and appends to it); the static functions write whole files or single
// records for the mailer's side.
//
// Layout choices:
// - The record count is (file size - 128) div 512. Bytes after the last complete record
//   (an interrupted append) are reported by TrailingBytes() and never read as a record.
// - The file header is kept as read; a new file gets "PELK-FOLDER-INDEX", a NUL and the
//   format version 1 (little-endian, at offset 20), the rest zero. Readers do not check it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "store/IndexRecord.h"

namespace varnel::store {

// Outcome of a file operation; error is an English sentence for logs and tests.
struct IndexResult {
    bool ok = true;
    std::string error;
    std::size_t index = 0;             // the record written (Append, PutRecord)
    std::size_t droppedTailBytes = 0;  // bytes of an incomplete last record removed
    bool stringsCut = false;           // a record's strings were shortened to fit
};

// The whole file, for the mailer's side and for checks.
struct FolderIndexContents {
    std::string header;  // the 128 header bytes as read (shorter when the file is)
    std::vector<IndexRecord> records;
    std::size_t trailingBytes = 0;  // bytes of an incomplete last record
};

class FolderIndex {
  public:
    // Opens the file read-only. IsOpen() tells whether that worked; Error() says why not.
    explicit FolderIndex(const std::string& path);
    ~FolderIndex();
    FolderIndex(FolderIndex&& other) noexcept;
    FolderIndex& operator=(FolderIndex&& other) noexcept;
    FolderIndex(const FolderIndex&) = delete;
    FolderIndex& operator=(const FolderIndex&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    const std::string& Error() const { return error_; }
    const std::string& Path() const { return path_; }

    // Measured on every call: the mailer may have appended since the last one.
    std::size_t RecordCount() const;
    std::size_t TrailingBytes() const;
    // Record i, or nothing when it is not complete in the file or cannot be read.
    std::optional<IndexRecord> ReadRecord(std::size_t i) const;
    // The status byte of record i; kEmpty when the record is not in the file.
    std::uint8_t ReadStatus(std::size_t i) const;
    // The record time of record i; 0 for an empty slot or a record not in the file.
    std::uint32_t ReadTime(std::size_t i) const;

    // --- Whole files and single records, for the mailer's side ---

    // Reads the whole file. A missing or unreadable file, or one shorter than the
    // header, is an error; an incomplete last record is reported in trailingBytes.
    static std::optional<FolderIndexContents> ReadAll(const std::string& path,
                                                      std::string* error = nullptr);
    // Writes a complete file through a temporary file in the same directory and a
    // rename; the original stays intact when anything fails. A reader opened before
    // keeps seeing the old file until it is opened again. An empty header (or one
    // of the wrong size) is replaced by a new one.
    static IndexResult Write(const std::string& path, const std::vector<IndexRecord>& records,
                             const std::string& header = {});
    // Sets the status byte of record i in place. Record i must exist, and an empty
    // slot cannot be given a status (there is no mail behind it); setting kEmpty
    // frees a slot.
    static IndexResult UpdateStatus(const std::string& path, std::size_t i, std::uint8_t status);
    // Writes record i in place, adding empty slots up to it when the file is shorter.
    // An incomplete last record is cut off first so that records stay aligned. A
    // missing file is created with a new header.
    static IndexResult PutRecord(const std::string& path, std::size_t i, const IndexRecord& record);
    // PutRecord at the first index after the last complete record.
    static IndexResult Append(const std::string& path, const IndexRecord& record);

    // The header a new file gets.
    static std::string NewHeader();

  private:
    bool ReadAt(std::size_t offset, char* buffer, std::size_t size) const;
    std::size_t FileSize() const;

    int fd_ = -1;
    std::string path_;
    std::string error_;
};

// Reads size bytes at offset, retrying short reads and EINTR; false on an error or the end.
bool ReadAllAt(int fd, char* data, std::size_t size, std::size_t offset);

}  // namespace varnel::store
