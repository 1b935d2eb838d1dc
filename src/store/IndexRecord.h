// One 512-byte record of a folder index file: what the mailer knows about one mail
// number (status, time, sender, message id, parent id, subject), and its byte layout.
//
// Layout (integers little-endian):
//   0      1  status byte (IndexStatus)
//   1      3  reserved, kept as read
//   4      4  record time: seconds since 1970-01-01 00:00:00 UTC, unsigned; 0 = not set
//   8      4  reserved, kept as read
//   12   500  four strings, each ended by a NUL: sender, own message id, parent id,
//             subject; the rest of the area is zero-filled on writing.
// Strings are CP932 bytes as the mail file holds them; message ids keep their angle
// brackets ("<id@host>") so that own and parent ids compare byte for byte.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace varnel::store {

inline constexpr std::size_t kIndexHeaderSize = 128;
inline constexpr std::size_t kIndexRecordSize = 512;
inline constexpr std::size_t kIndexStringAreaOffset = 12;
inline constexpr std::size_t kIndexStringAreaSize = kIndexRecordSize - kIndexStringAreaOffset;
// Mail numbers have four digits, so a folder holds records 0 to 9999.
inline constexpr std::size_t kMaxIndexRecords = 10000;

// Values of the status byte. 0 and 1 are what readers of the index rely on (no mail,
// new mail); the others mirror the mail file's "X-Status:" line.
namespace IndexStatus {
inline constexpr std::uint8_t kEmpty = 0;          // no mail with this number
inline constexpr std::uint8_t kNew = 1;            // "RECV"
inline constexpr std::uint8_t kRead = 2;           // "READ", or any stored mail without status
inline constexpr std::uint8_t kReplied = 3;        // "RPLY"
inline constexpr std::uint8_t kNotifyPending = 4;  // "WRIT"
inline constexpr std::uint8_t kReplySender = 5;    // "SNDR"
inline constexpr std::uint8_t kDraft = 6;          // a draft in the out folder (no status line)
}  // namespace IndexStatus

// Status byte for the four letters of an "X-Status:" line; an unknown or missing
// status is a stored mail (kRead).
std::uint8_t StatusByteForXStatus(std::string_view status);
// The four letters for a status byte, or "" when the byte has no status line (empty
// slot, draft, unknown value).
std::string_view XStatusForStatusByte(std::uint8_t status);

struct IndexRecord {
    std::uint8_t status = IndexStatus::kEmpty;
    std::uint32_t time = 0;
    std::string sender;     // first string: the From address (readers skip it)
    std::string messageId;  // own id
    std::string parentId;   // id of the mail this one answers; "" starts a thread
    std::string subject;
    std::array<std::uint8_t, 3> reserved1{};  // bytes 1-3
    std::array<std::uint8_t, 4> reserved2{};  // bytes 8-11

    bool IsEmpty() const { return status == IndexStatus::kEmpty; }
    bool operator==(const IndexRecord&) const = default;
};

using IndexRecordBytes = std::array<char, kIndexRecordSize>;

// What encoding had to change to make a record fit its layout.
struct EncodeReport {
    bool cut = false;         // strings were shortened to fit the 500-byte area
    bool nulDropped = false;  // a string held a NUL byte; it was cut there
};

// The record's bytes. Strings that do not fit (496 bytes of text plus four NULs) are
// cut at a character boundary, least needed first: sender, subject, parent id, own id.
IndexRecordBytes EncodeIndexRecord(const IndexRecord& record, EncodeReport* report = nullptr);

// Reads a record from its bytes (exactly kIndexRecordSize of them). A string without
// its NUL ends at the end of the area; missing strings are empty.
IndexRecord DecodeIndexRecord(std::string_view bytes);

}  // namespace varnel::store
