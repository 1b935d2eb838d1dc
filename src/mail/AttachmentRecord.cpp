// Keeping attachment records in step with their lines through a reformat.
#include "mail/AttachmentRecord.h"

#include <charconv>
#include <cstdio>
#include <random>

namespace varnel::mail {
namespace {

constexpr std::size_t kOrdinalDigits = 8;

// A marker line the mail's author cannot know beforehand. It begins with ".-", like the
// summary line, so the reformat keeps it as it is, and is too long to be joined to a
// line before it.
std::string UnguessableMarker() {
    std::random_device rd;
    char buf[48];
    std::snprintf(buf, sizeof buf, ".-\x7f%08x%08x%08x%08x:", rd(), rd(), rd(), rd());
    return buf;
}

}  // namespace

void KeepAttachmentLines(std::vector<std::string>& lines, std::vector<AttachmentRecord>& records,
                         const std::function<void(std::vector<std::string>&)>& reformat) {
    if (records.empty() || records.size() > 99999999) {
        reformat(lines);
        return;
    }
    const std::string marker = UnguessableMarker();
    for (std::size_t k = 0; k < records.size(); ++k) {
        if (records[k].displayIndex < lines.size()) {
            std::string ordinal = std::to_string(k);
            ordinal.insert(0, kOrdinalDigits - ordinal.size(), '0');
            lines[records[k].displayIndex] = marker + ordinal;
        }
    }
    reformat(lines);
    std::vector<bool> found(records.size(), false);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string& line = lines[i];
        for (std::size_t at = line.find(marker); at != std::string::npos;
             at = line.find(marker, at)) {
            const std::size_t length = marker.size() + kOrdinalDigits;
            std::size_t k = records.size();
            if (at + length <= line.size())
                std::from_chars(line.data() + at + marker.size(), line.data() + at + length, k);
            if (k >= records.size())
                break;
            line.replace(at, length, records[k].line);
            if (at == 0 && line.size() == records[k].line.size()) {
                records[k].displayIndex = i;
                found[k] = true;
            }
            at += records[k].line.size();
        }
    }
    std::size_t kept = 0;
    for (std::size_t k = 0; k < records.size(); ++k)
        if (found[k] && kept++ != k)
            records[kept - 1] = std::move(records[k]);
    records.resize(kept);
}

}  // namespace varnel::mail
