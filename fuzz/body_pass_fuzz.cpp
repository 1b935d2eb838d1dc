// Fuzzes the display decoding of a received mail: header facts, body pass and the raw
// decoder of the Decode commands, on arbitrary bytes split into lines. Two fast paths
// must agree with the slow ones they stand for: Base64 data counted by SkipData with
// its lines fed one by one, and the table CP932 conversion with iconv.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "mail/BodyPass.h"
#include "mail/DisplayList.h"
#include "mail/MailLines.h"
#include "mail/RawMailDecoder.h"
#include "text/Cp932.h"

using namespace varnel::mail;

namespace {

struct Walked {
    std::vector<std::string> shown;
    BodyPassResult result;
};

// The body after the header block of bytes, fed line by line or with data skipped.
Walked WalkBody(std::string_view bytes, const BodyPassOptions& options, bool skip) {
    MailLines::Reader reader(bytes);
    TopLevelContentReader top(options.europeanFontOn);
    std::string_view line;
    bool terminated = false;
    while (reader.Next(line)) {
        if (line.empty() || line[0] == '-') {
            terminated = true;
            break;
        }
        top.FeedLine(line);
    }
    DisplayList shown;
    Walked w;
    {
        BodyPass pass(top.Result(), options, shown);
        if (terminated)
            pass.Terminator(line);
        for (std::string_view l;;) {
            if (skip)
                reader.Skip(pass.SkipData(reader.Rest()));
            if (!reader.Next(l))
                break;
            pass.Feed(l);
        }
        w.result = pass.Finish();
    }
    w.shown = shown.Strings();
    return w;
}

bool SameRecords(const std::vector<AttachmentRecord>& a, const std::vector<AttachmentRecord>& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].displayIndex != b[i].displayIndex || a[i].line != b[i].line ||
            a[i].name != b[i].name || a[i].size != b[i].size || a[i].firstLine != b[i].firstLine ||
            a[i].endLine != b[i].endLine || a[i].encoding != b[i].encoding ||
            a[i].endsAtBoundary != b[i].endsAtBoundary)
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t nl = text.find('\n', pos);
        if (nl == std::string::npos)
            nl = text.size();
        std::string line = text.substr(pos, nl - pos);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        pos = nl + 1;
    }
    // The header block ends at the first empty line or line beginning with "-".
    const bool european = size > 0 && (data[0] & 1);
    TopLevelContentReader reader(european);
    std::size_t i = 0;
    for (; i < lines.size() && !lines[i].empty() && lines[i][0] != '-'; ++i)
        reader.FeedLine(lines[i]);
    BodyPassOptions options;
    options.europeanFontOn = european;
    options.headerList = ",x-mailer:";
    std::vector<std::string> display;
    const std::vector<std::string_view> views(lines.begin(), lines.end());
    const auto r =
        RunBodyPass(views, i < lines.size() ? i + 1 : i, reader.Result(), options, display);
    for (const auto& d : display) {
        if (r.longestLine < d.size() && d.rfind(".------ Attached", 0) != 0 &&
            d.rfind("..", 0) != 0 && d.rfind("*", 0) != 0)
            __builtin_trap();  // longest line must cover every shown line
    }
    DecodeRawMail(lines, size > 1 && (data[1] & 1));

    const Walked fed = WalkBody(text, options, false);
    const Walked skipped = WalkBody(text, options, true);
    if (fed.shown != skipped.shown || fed.result.longestLine != skipped.result.longestLine ||
        fed.result.nonAsciiLatin != skipped.result.nonAsciiLatin ||
        !SameRecords(fed.result.attachments, skipped.result.attachments))
        __builtin_trap();

    std::string byTable, byIconv;
    varnel::text::AppendCp932AsUtf8(text, byTable);
    varnel::text::AppendCp932AsUtf8ByIconv(text, byIconv);
    if (byTable != byIconv)
        __builtin_trap();
    return 0;
}
