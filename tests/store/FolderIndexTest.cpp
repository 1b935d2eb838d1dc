// Folder index files: record layout, round trips, in-place updates and damaged files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "RecordPrinter.h"
#include "TempDir.h"
#include "store/FolderIndex.h"
#include "store/IndexReader.h"

namespace fs = std::filesystem;
using namespace varnel::store;

namespace {

using TempDir = varnel::testing::TempDir;
using varnel::testing::ReadAll;

void Spit(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

IndexRecord Sample(std::uint8_t status, std::uint32_t time, std::string id, std::string parent,
                   std::string subject) {
    IndexRecord r;
    r.status = status;
    r.time = time;
    r.sender = "hanako.sato@example.jp";
    r.messageId = std::move(id);
    r.parentId = std::move(parent);
    r.subject = std::move(subject);
    return r;
}

// "週末の計画" in CP932; 表 (0x95 0x5C) has a backslash as its trail byte.
const std::string kSubjectSjis = "\x8f\x54\x96\x96\x82\xcc\x8c\x76\x89\xe6\x95\x5c";

}  // namespace

TEST(IndexRecord, EncodesFieldsAtTheirOffsets) {
    IndexRecord r = Sample(IndexStatus::kReplied, 0x01020304u, "<a@x>", "<p@x>", kSubjectSjis);
    r.reserved1 = {7, 8, 9};
    r.reserved2 = {1, 2, 3, 4};
    const auto bytes = EncodeIndexRecord(r);
    const std::string s(bytes.data(), bytes.size());
    EXPECT_EQ(s[0], 3);
    EXPECT_EQ(s.substr(1, 3), "\x07\x08\x09");
    EXPECT_EQ(s.substr(4, 4), std::string("\x04\x03\x02\x01", 4));
    EXPECT_EQ(s.substr(8, 4), std::string("\x01\x02\x03\x04", 4));
    const std::string strings = "hanako.sato@example.jp" + std::string(1, '\0') + "<a@x>" +
                                std::string(1, '\0') + "<p@x>" + std::string(1, '\0') +
                                kSubjectSjis + std::string(1, '\0');
    EXPECT_EQ(s.substr(12, strings.size()), strings);
    EXPECT_EQ(s.find_first_not_of('\0', 12 + strings.size()), std::string::npos);
    EXPECT_EQ(DecodeIndexRecord(s), r);
}

TEST(IndexRecord, CutsStringsToFitLeastNeededFirst) {
    struct Case {
        std::size_t sender, id, parent, subjectChars;
        std::size_t wantSender, wantId, wantParent;
    } cases[] = {
        {10, 100, 100, 20, 10, 100, 100},    // fits
        {300, 100, 100, 20, 256, 100, 100},  // sender gives way first
        {0, 200, 200, 100, 0, 200, 200},     // then the subject (to 96 bytes)
        {0, 201, 200, 101, 0, 201, 200},     // cut inside a character: 94, not 95
        {0, 300, 300, 10, 0, 300, 196},      // then the parent id
        {50, 600, 10, 10, 0, 496, 0},        // own id last
    };
    for (const auto& c : cases) {
        IndexRecord r;
        r.status = IndexStatus::kRead;
        r.sender = std::string(c.sender, 's');
        r.messageId = std::string(c.id, 'i');
        r.parentId = std::string(c.parent, 'p');
        for (std::size_t k = 0; k < c.subjectChars; ++k)
            r.subject += "\x95\x5c";  // 表, two bytes each
        EncodeReport report;
        const auto bytes = EncodeIndexRecord(r, &report);
        const IndexRecord back = DecodeIndexRecord(std::string_view(bytes.data(), bytes.size()));
        EXPECT_EQ(back.sender.size(), c.wantSender) << c.sender << "/" << c.id;
        EXPECT_EQ(back.messageId.size(), c.wantId) << c.sender << "/" << c.id;
        EXPECT_EQ(back.parentId.size(), c.wantParent) << c.sender << "/" << c.id;
        EXPECT_EQ(back.subject.size() % 2, 0u) << "a double-byte character was split";
        const std::size_t total =
            back.sender.size() + back.messageId.size() + back.parentId.size() + back.subject.size();
        EXPECT_LE(total, 496u);
        EXPECT_EQ(report.cut, total < c.sender + c.id + c.parent + 2 * c.subjectChars);
    }
}

TEST(IndexRecord, NulInsideAStringAndUnterminatedArea) {
    IndexRecord r = Sample(IndexStatus::kNew, 5, std::string("<a\0b>", 5), "", "subject");
    EncodeReport report;
    const auto bytes = EncodeIndexRecord(r, &report);
    EXPECT_TRUE(report.nulDropped);
    const IndexRecord back = DecodeIndexRecord(std::string_view(bytes.data(), bytes.size()));
    EXPECT_EQ(back.messageId, "<a");
    EXPECT_EQ(back.subject, "subject");  // the later strings stay in their places

    // A string area without any NUL: the first string runs to the end of the record.
    std::string raw(kIndexRecordSize, 'x');
    raw[0] = 2;
    const IndexRecord odd = DecodeIndexRecord(raw);
    EXPECT_EQ(odd.sender.size(), kIndexStringAreaSize);
    EXPECT_TRUE(odd.messageId.empty() && odd.parentId.empty() && odd.subject.empty());
    EXPECT_TRUE(DecodeIndexRecord("short").IsEmpty());
}

TEST(IndexRecord, StatusBytesFollowXStatus) {
    struct Case {
        const char* letters;
        std::uint8_t byte;
        const char* back;
    } cases[] = {{"RECV", 1, "RECV"}, {"READ", 2, "READ"}, {"RPLY", 3, "RPLY"},
                 {"WRIT", 4, "WRIT"}, {"SNDR", 5, "SNDR"}, {"XXXX", 2, "READ"},
                 {"", 2, "READ"},     {"recv", 2, "READ"}};
    for (const auto& c : cases) {
        EXPECT_EQ(StatusByteForXStatus(c.letters), c.byte) << c.letters;
        EXPECT_EQ(XStatusForStatusByte(StatusByteForXStatus(c.letters)), c.back) << c.letters;
    }
    EXPECT_EQ(XStatusForStatusByte(IndexStatus::kEmpty), "");
    EXPECT_EQ(XStatusForStatusByte(IndexStatus::kDraft), "");
}

TEST(FolderIndex, WriteThenReadRecordByRecord) {
    TempDir dir;
    const std::string path = dir / "in.fld";
    std::vector<IndexRecord> records(3);
    records[1] = Sample(IndexStatus::kNew, 1793000000u, "<1@x>", "", kSubjectSjis);
    records[2] = Sample(IndexStatus::kReplied, 0xFFFFFFF0u, "<2@x>", "<1@x>", "Re: x");
    ASSERT_TRUE(FolderIndex::Write(path, records).ok);
    EXPECT_EQ(fs::file_size(path), 128u + 3 * 512u);
    EXPECT_EQ(ReadAll(path).substr(0, 128), FolderIndex::NewHeader());

    FolderIndex index(path);
    ASSERT_TRUE(index.IsOpen());
    EXPECT_EQ(index.RecordCount(), 3u);
    EXPECT_EQ(index.TrailingBytes(), 0u);
    EXPECT_EQ(index.ReadRecord(2), records[2]);
    EXPECT_EQ(index.ReadStatus(1), IndexStatus::kNew);
    EXPECT_EQ(index.ReadTime(1), 1793000000u);
    EXPECT_EQ(index.ReadTime(2), 0xFFFFFFF0u);
    EXPECT_EQ(index.ReadTime(0), 0u);  // empty slot
    EXPECT_FALSE(index.ReadRecord(3).has_value());
    EXPECT_EQ(index.ReadStatus(3), IndexStatus::kEmpty);

    const auto all = FolderIndex::ReadAll(path);
    ASSERT_TRUE(all.has_value());
    EXPECT_EQ(all->records, records);

    // A second write keeps a header that was read, byte for byte.
    std::string header = all->header;
    header[100] = 'h';
    ASSERT_TRUE(FolderIndex::Write(path, records, header).ok);
    EXPECT_EQ(ReadAll(path).substr(0, 128), header);
}

TEST(FolderIndex, DamagedAndMissingFiles) {
    TempDir dir;
    const std::string full = dir / "full.fld";
    ASSERT_TRUE(FolderIndex::Write(
                    full, {Sample(1, 1, "<1@x>", "", "a"), Sample(2, 2, "<2@x>", "<1@x>", "b")})
                    .ok);
    const std::string bytes = ReadAll(full);

    struct Case {
        const char* name;
        std::size_t size;  // bytes kept of the full file
        bool readAll;
        std::size_t records, trailing;
    } cases[] = {
        {"empty.fld", 0, false, 0, 0},
        {"half-header.fld", 60, false, 0, 0},
        {"header-only.fld", 128, true, 0, 0},
        // 512 to 639 bytes: "size div 512 - 1" would read record 0 past the end.
        {"no-whole-record.fld", 600, true, 0, 472},
        {"639-bytes.fld", 639, true, 0, 511},
        {"one-and-a-bit.fld", 700, true, 1, 60},
        {"last-byte-missing.fld", 1151, true, 1, 511},
    };
    for (const auto& c : cases) {
        const std::string path = dir / c.name;
        Spit(path, bytes.substr(0, c.size));
        FolderIndex index(path);
        ASSERT_TRUE(index.IsOpen()) << c.name;
        EXPECT_EQ(index.RecordCount(), c.records) << c.name;
        EXPECT_EQ(index.TrailingBytes(), c.trailing) << c.name;
        EXPECT_FALSE(index.ReadRecord(c.records).has_value()) << c.name;
        EXPECT_EQ(index.ReadStatus(c.records), IndexStatus::kEmpty) << c.name;
        // A command's reader reads only whole records and notes any damage.
        IndexReader reader(path);
        EXPECT_EQ(reader.Count(), c.records) << c.name;
        EXPECT_EQ(reader.Damaged(), c.trailing > 0 || (c.size > 0 && c.size < 128)) << c.name;
        for (std::size_t i = c.records; i <= c.records + 1; ++i)
            EXPECT_FALSE(reader.Keys(i).used()) << c.name;
        std::string error;
        const auto all = FolderIndex::ReadAll(path, &error);
        EXPECT_EQ(all.has_value(), c.readAll) << c.name;
        if (all) {
            EXPECT_EQ(all->records.size(), c.records) << c.name;
            EXPECT_EQ(all->trailingBytes, c.trailing) << c.name;
        } else {
            EXPECT_NE(error.find("shorter than the header"), std::string::npos) << error;
        }
    }

    FolderIndex missing(dir / "none.fld");
    EXPECT_FALSE(missing.IsOpen());
    EXPECT_FALSE(missing.Error().empty());
    EXPECT_EQ(missing.RecordCount(), 0u);
    EXPECT_FALSE(missing.ReadRecord(0).has_value());
    EXPECT_FALSE(FolderIndex::ReadAll(dir / "none.fld").has_value());
}

TEST(FolderIndex, ReaderSeesRecordsAppendedWhileOpen) {
    TempDir dir;
    const std::string path = dir / "in.fld";
    ASSERT_TRUE(FolderIndex::Write(path, {Sample(1, 1, "<1@x>", "", "a")}).ok);
    FolderIndex index(path);
    ASSERT_EQ(index.RecordCount(), 1u);
    const auto appended = FolderIndex::Append(path, Sample(1, 2, "<2@x>", "<1@x>", "Re: a"));
    ASSERT_TRUE(appended.ok) << appended.error;
    EXPECT_EQ(appended.index, 1u);
    EXPECT_EQ(index.RecordCount(), 2u);
    EXPECT_EQ(index.ReadRecord(1)->parentId, "<1@x>");
}

TEST(FolderIndex, UpdateStatusInPlace) {
    TempDir dir;
    const std::string path = dir / "in.fld";
    std::vector<IndexRecord> records = {IndexRecord{}, Sample(1, 9, "<1@x>", "", "a")};
    ASSERT_TRUE(FolderIndex::Write(path, records).ok);
    const std::string before = ReadAll(path);

    ASSERT_TRUE(FolderIndex::UpdateStatus(path, 1, IndexStatus::kRead).ok);
    std::string after = ReadAll(path);
    EXPECT_EQ(after[128 + 512], IndexStatus::kRead);
    after[128 + 512] = before[128 + 512];
    EXPECT_EQ(after, before) << "only the status byte changes";

    const auto emptySlot = FolderIndex::UpdateStatus(path, 0, IndexStatus::kRead);
    EXPECT_FALSE(emptySlot.ok);
    EXPECT_NE(emptySlot.error.find("empty slot"), std::string::npos);
    EXPECT_FALSE(FolderIndex::UpdateStatus(path, 2, IndexStatus::kRead).ok);
    EXPECT_FALSE(FolderIndex::UpdateStatus(dir / "none.fld", 0, 1).ok);
    EXPECT_FALSE(fs::exists(dir / "none.fld"));

    // Freeing a slot is allowed; the strings stay for the mailer's own use.
    ASSERT_TRUE(FolderIndex::UpdateStatus(path, 1, IndexStatus::kEmpty).ok);
    FolderIndex index(path);
    EXPECT_EQ(index.ReadStatus(1), IndexStatus::kEmpty);
    EXPECT_EQ(index.ReadTime(1), 0u);
}

TEST(FolderIndex, PutRecordFillsGapsAndRepairsAnInterruptedAppend) {
    TempDir dir;
    const std::string path = dir / "sent.fld";
    // A missing file is created with a header and empty slots before the record.
    const auto created = FolderIndex::PutRecord(path, 2, Sample(2, 7, "<s2@x>", "", "x"));
    ASSERT_TRUE(created.ok) << created.error;
    EXPECT_EQ(fs::file_size(path), 128u + 3 * 512u);

    // An interrupted append leaves 100 stray bytes; the next append cuts them off.
    Spit(path, ReadAll(path) + std::string(100, 'z'));
    const auto appended = FolderIndex::Append(path, Sample(1, 8, "<s3@x>", "<s2@x>", "Re: x"));
    ASSERT_TRUE(appended.ok) << appended.error;
    EXPECT_EQ(appended.index, 3u);
    EXPECT_EQ(appended.droppedTailBytes, 100u);
    EXPECT_EQ(fs::file_size(path), 128u + 4 * 512u);

    // Overwriting inside the file leaves the other records alone.
    ASSERT_TRUE(FolderIndex::PutRecord(path, 0, Sample(2, 1, "<s0@x>", "", "first")).ok);
    const auto all = FolderIndex::ReadAll(path);
    ASSERT_TRUE(all.has_value());
    ASSERT_EQ(all->records.size(), 4u);
    EXPECT_EQ(all->records[0].messageId, "<s0@x>");
    EXPECT_TRUE(all->records[1].IsEmpty());
    EXPECT_EQ(all->records[2].messageId, "<s2@x>");
    EXPECT_EQ(all->records[3].parentId, "<s2@x>");

    EXPECT_FALSE(FolderIndex::PutRecord(path, kMaxIndexRecords, IndexRecord{}).ok);
    Spit(dir / "short.fld", "PELK");
    EXPECT_FALSE(FolderIndex::Append(dir / "short.fld", IndexRecord{}).ok);
    EXPECT_EQ(ReadAll(dir / "short.fld"), "PELK") << "a damaged header is not written over";
}

TEST(FolderIndex, FailedWriteReportsAndKeepsTheOriginal) {
    TempDir dir;
    const std::string path = dir / "in.fld";
    ASSERT_TRUE(FolderIndex::Write(path, {Sample(1, 1, "<1@x>", "", "a")}).ok);
    const std::string before = ReadAll(path);

    const auto tooMany = FolderIndex::Write(path, std::vector<IndexRecord>(kMaxIndexRecords + 1));
    EXPECT_FALSE(tooMany.ok);
    EXPECT_EQ(ReadAll(path), before);

    // The target is a directory: the rename fails and the temporary file is removed.
    fs::create_directory(dir / "busy.fld");
    const auto onDirectory = FolderIndex::Write(dir / "busy.fld", {IndexRecord{}});
    EXPECT_FALSE(onDirectory.ok);
    EXPECT_FALSE(onDirectory.error.empty());
    std::size_t leftovers = 0;
    for (const auto& e : fs::directory_iterator(dir.path()))
        leftovers += e.path().filename().string().rfind(".folderindex.", 0) == 0;
    EXPECT_EQ(leftovers, 0u);

    EXPECT_FALSE(FolderIndex::Write(dir / "no/such/dir.fld", {}).ok);
}
