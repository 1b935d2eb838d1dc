// Folder rule lines.
#include "store/FolderRuleWriter.h"

#include <unistd.h>

#include <filesystem>

#include "editor/ReplaceFile.h"
#include "text/Sjis.h"

namespace varnel::store {

namespace {

// The header lines of the mail, one at a time, without their line ends; stops after
// the line that ends the header (which is still returned).
class HeaderLines {
  public:
    explicit HeaderLines(std::string_view bytes) : rest_(bytes) {}
    bool Next(std::string_view& line) {
        if (done_ || rest_.empty())
            return false;
        const auto lf = rest_.find('\n');
        line = rest_.substr(0, lf);
        rest_ = lf == std::string_view::npos ? std::string_view() : rest_.substr(lf + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        done_ = line.empty() || line.starts_with("--");
        return true;
    }
    // The next line, not consumed.
    std::optional<std::string_view> Peek() const {
        if (done_ || rest_.empty())
            return std::nullopt;
        std::string_view l = rest_.substr(0, rest_.find('\n'));
        if (!l.empty() && l.back() == '\r')
            l.remove_suffix(1);
        return l;
    }

  private:
    std::string_view rest_;
    bool done_ = false;
};

}  // namespace

std::string ReadHeaderAddress(std::string_view mailBytes, std::string_view key) {
    HeaderLines lines(mailBytes);
    std::string value;
    bool found = false;
    for (std::string_view line; !found && lines.Next(line);) {
        if (line.size() < key.size() || text::ToLowerAscii(line.substr(0, key.size())) != key)
            continue;
        found = true;
        value = line;
        for (auto next = lines.Peek();
             next && !next->empty() && (next->front() == ' ' || next->front() == '\t');
             next = lines.Peek()) {
            std::string_view folded;
            lines.Next(folded);
            value += folded;
        }
    }
    if (!found)
        return {};
    // An angle-bracketed address: the first "<" and the first ">" after it. A ">"
    // standing before the "<" is not the end of the address.
    const std::size_t open = text::FindChar(value, '<');
    if (open != text::npos) {
        const std::size_t close = text::FindChar(value, '>', open + 1);
        if (close != text::npos)
            return value.substr(open + 1, close - open - 1);
    }
    std::size_t at = text::FindChar(value, '@');
    if (at == text::npos)
        return {};
    // The word holding the at-sign: drop what stands before the last blank ahead of
    // it, and what follows the first blank after it.
    for (std::size_t blank = text::FindChar(value, ' '); blank != text::npos && blank < at;
         blank = text::FindChar(value, ' ')) {
        value.erase(0, blank + 1);
        at = text::FindChar(value, '@');
    }
    const std::size_t after = text::FindChar(value, ' ', at);
    if (after != text::npos)
        value.erase(after);
    return value;
}

std::optional<std::string> FolderRuleLine(std::string_view address, std::string_view folder) {
    if (address.empty() || folder.empty() || text::TrimBlanks(folder).empty())
        return std::nullopt;
    for (std::size_t i = 0; i < address.size(); i = text::NextCharPos(address, i)) {
        const auto c = static_cast<unsigned char>(address[i]);
        if (text::CharLengthAt(address, i) == 1 &&
            (c == '/' || c == ' ' || c == '\t' || c < 0x20 || c == 0x7F))
            return std::nullopt;
    }
    if (folder.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos)
        return std::nullopt;
    return "/^FROM:.*" + std::string(address) + "/ " + std::string(folder);
}

PrependResult PrependLine(const std::string& path, std::string_view line, std::string& error) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        return PrependResult::NoFile;
    if (::access(path.c_str(), W_OK) != 0) {
        error = path + ": the file is write-protected";
        return PrependResult::Failed;
    }
    std::string bytes;
    if (!editor::ReplaceFileRead(path, bytes, error))
        return PrependResult::Failed;
    const std::size_t lf = bytes.find('\n');
    const bool crlf = lf == std::string::npos || (lf > 0 && bytes[lf - 1] == '\r');
    std::string out;
    out.reserve(line.size() + 2 + bytes.size());
    out.append(line).append(crlf ? "\r\n" : "\n").append(bytes);
    return editor::ReplaceFileWrite(path, out, error) ? PrependResult::Written
                                                      : PrependResult::Failed;
}

}  // namespace varnel::store
