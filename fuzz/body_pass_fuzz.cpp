// Fuzzes the display decoding of a received mail: header facts, body pass and the raw
// decoder of the Decode commands, on arbitrary bytes split into lines.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "mail/BodyPass.h"
#include "mail/RawMailDecoder.h"

using namespace varnel::mail;

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
    return 0;
}
