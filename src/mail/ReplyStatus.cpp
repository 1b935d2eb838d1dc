// Status lines and address-book entries of the reply-side commands.
#include "mail/ReplyStatus.h"

#include "text/Sjis.h"

namespace varnel::mail {

std::optional<std::string> WithStatusLine(std::string_view bytes, std::string_view statusLine) {
    if (!bytes.starts_with(kStatusPrefix))
        return std::nullopt;
    std::size_t end = bytes.find('\n');
    if (end == std::string_view::npos)
        end = bytes.size();
    if (end > 0 && bytes[end - 1] == '\r')
        --end;
    std::string out(statusLine);
    out += bytes.substr(end);
    return out;
}

std::string AddressBookEntry(std::string_view text) {
    if (text::FindChar(text, '<') != text::npos)
        return std::string(text);
    const std::size_t open = text::FindChar(text, '(');
    if (open == text::npos)
        return std::string(text);
    std::size_t close = text::FindChar(text, ')', open + 1);
    if (close == text::npos)
        close = text.size();
    const std::string name = text::ReplaceAll(
        text::TrimBlanks(text.substr(open + 1, close - open - 1)), "\x81\x40", " ");
    std::string address = text::ToLowerAscii(text::TrimBlanks(text.substr(0, open)));
    return name + " <" + address + ">";
}

}  // namespace varnel::mail
