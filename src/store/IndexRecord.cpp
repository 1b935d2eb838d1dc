// Byte layout of folder index records and the status byte mapping.
#include "store/IndexRecord.h"

#include <algorithm>

#include "text/Sjis.h"

namespace varnel::store {

namespace {

struct StatusName {
    std::uint8_t byte;
    std::string_view letters;
};

constexpr StatusName kStatusNames[] = {
    {IndexStatus::kNew, "RECV"},         {IndexStatus::kRead, "READ"},
    {IndexStatus::kReplied, "RPLY"},     {IndexStatus::kNotifyPending, "WRIT"},
    {IndexStatus::kReplySender, "SNDR"},
};

constexpr std::size_t kStringCount = 4;
constexpr std::size_t kTextBudget = kIndexStringAreaSize - kStringCount;

void PutLe32(char* at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::uint32_t GetLe32(std::string_view at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(at[i]);
    return v;
}

}  // namespace

std::uint8_t StatusByteForXStatus(std::string_view status) {
    for (const auto& s : kStatusNames) {
        if (s.letters == status)
            return s.byte;
    }
    return IndexStatus::kRead;
}

std::string_view XStatusForStatusByte(std::uint8_t status) {
    for (const auto& s : kStatusNames) {
        if (s.byte == status)
            return s.letters;
    }
    return {};
}

IndexRecordBytes EncodeIndexRecord(const IndexRecord& record, EncodeReport* report) {
    EncodeReport local;
    // Order in the record: sender, own id, parent id, subject.
    std::string_view strings[kStringCount] = {record.sender, record.messageId, record.parentId,
                                              record.subject};
    for (auto& s : strings) {
        const auto nul = s.find('\0');
        if (nul != std::string_view::npos) {
            s = s.substr(0, nul);
            local.nulDropped = true;
        }
    }
    std::size_t total = 0;
    for (const auto& s : strings)
        total += s.size();
    // Least needed first: readers skip the sender, and the subject only matters for
    // subject threading, while the ids carry the thread links.
    for (const std::size_t i : {0u, 3u, 2u, 1u}) {
        if (total <= kTextBudget)
            break;
        const std::size_t excess = total - kTextBudget;
        const std::size_t keep = strings[i].size() > excess ? strings[i].size() - excess : 0;
        const std::size_t cutAt = text::SnapToCharStart(strings[i], keep);
        total -= strings[i].size() - cutAt;
        strings[i] = strings[i].substr(0, cutAt);
        local.cut = true;
    }

    IndexRecordBytes bytes{};
    bytes[0] = static_cast<char>(record.status);
    std::copy(record.reserved1.begin(), record.reserved1.end(), bytes.begin() + 1);
    PutLe32(bytes.data() + 4, record.time);
    std::copy(record.reserved2.begin(), record.reserved2.end(), bytes.begin() + 8);
    std::size_t at = kIndexStringAreaOffset;
    for (const auto& s : strings) {
        std::copy(s.begin(), s.end(), bytes.begin() + at);
        at += s.size() + 1;  // the NUL is already there
    }
    if (report)
        *report = local;
    return bytes;
}

IndexRecord DecodeIndexRecord(std::string_view bytes) {
    IndexRecord r;
    if (bytes.size() < kIndexRecordSize)
        return r;
    r.status = static_cast<std::uint8_t>(bytes[0]);
    for (int i = 0; i < 3; ++i)
        r.reserved1[i] = static_cast<std::uint8_t>(bytes[1 + i]);
    r.time = GetLe32(bytes.substr(4, 4));
    for (int i = 0; i < 4; ++i)
        r.reserved2[i] = static_cast<std::uint8_t>(bytes[8 + i]);

    std::string_view area = bytes.substr(kIndexStringAreaOffset, kIndexStringAreaSize);
    std::string* targets[kStringCount] = {&r.sender, &r.messageId, &r.parentId, &r.subject};
    for (auto* target : targets) {
        if (area.empty())
            break;
        const auto nul = area.find('\0');
        *target = std::string(area.substr(0, nul));
        area = nul == std::string_view::npos ? std::string_view() : area.substr(nul + 1);
    }
    return r;
}

}  // namespace varnel::store
