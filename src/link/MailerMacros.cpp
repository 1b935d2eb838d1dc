// Mailer macro texts, with every field checked before it is spliced in.
#include "link/MailerMacros.h"

#include "mail/MailNames.h"
#include "text/Sjis.h"

namespace varnel::link {
namespace {

constexpr char Q = '"';

bool HasLineBreakOrNul(std::string_view t) {
    return t.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// Well-formed UTF-8 (paths are UTF-8 by convention): every byte below 0x80 is then a
// character of its own.
bool IsUtf8(std::string_view t) {
    for (std::size_t i = 0; i < t.size();) {
        const auto c = static_cast<unsigned char>(t[i]);
        const std::size_t n = c < 0x80         ? 1
                              : (c >> 5) == 6  ? 2
                              : (c >> 4) == 14 ? 3
                              : (c >> 3) == 30 ? 4
                                               : 0;
        if (n == 0 || i + n > t.size())
            return false;
        for (std::size_t k = 1; k < n; ++k) {
            if ((static_cast<unsigned char>(t[i + k]) & 0xC0) != 0x80)
                return false;
        }
        i += n;
    }
    return true;
}

// A delimiter that stands as a character of its own. CP932 text (a folder or address
// of the mailer's) is read in whole characters, so the trail byte 0x5D of 江, 従, 転 or
// ゾ is not taken for "]".
bool HasDelimiter(std::string_view t, std::string_view set) {
    if (IsUtf8(t))
        return t.find_first_of(set) != std::string_view::npos;
    return text::FindFirstOf(t, set) != text::npos;
}

bool SafeRef(const MailRef& m) {
    return IsSafeField(m.folderFile) && IsSafeField(m.number);
}

std::optional<std::string> Plain(std::string_view name, const MailRef& m) {
    if (!SafeRef(m))
        return std::nullopt;
    return "[" + std::string(name) + "(" + m.folderFile + "," + m.number + ")]";
}

}  // namespace

std::optional<MailRef> MailRefOf(std::string_view path) {
    if (!mail::IsMailFile(path))
        return std::nullopt;
    return MailRef{mail::FolderFileOf(path), mail::MailNumberOf(path)};
}

std::string PadMailNumber(int n) {
    const std::string s = "000" + std::to_string(n);
    return s.substr(s.size() - 4);
}

bool IsSafeField(std::string_view t) {
    return !t.empty() && !HasLineBreakOrNul(t) && !HasDelimiter(t, ",()[]\"");
}

bool IsSafeQuotedField(std::string_view t) {
    return !HasLineBreakOrNul(t) && !HasDelimiter(t, "\"]");
}

std::optional<std::string> FocusMacro(const MailRef& m) {
    return Plain("Focus", m);
}
std::optional<std::string> UpdateMacro(const MailRef& m) {
    return Plain("Update", m);
}
std::optional<std::string> ReplyMacro(const MailRef& m) {
    return Plain("Reply", m);
}

std::optional<std::string> ForwardMacro(const MailRef& m) {
    if (!IsSafeQuotedField(m.folderFile) || !IsSafeQuotedField(m.number) || m.folderFile.empty())
        return std::nullopt;
    return "[Forward(" + std::string(1, Q) + m.folderFile + Q + "," + Q + m.number + Q + ")]";
}

std::optional<std::string> RealizeMacro(const MailRef& m, std::string_view dir) {
    if (!IsSafeQuotedField(m.folderFile) || !IsSafeField(m.number) || !IsSafeField(dir))
        return std::nullopt;
    return "[Realize(" + std::string(1, Q) + m.folderFile + Q + "," + m.number + "," +
           std::string(dir) + ")]";
}

std::string ReceiveMacro() {
    return "[Receive]";
}

std::optional<std::string> ViewMacro(std::string_view what) {
    for (std::string_view ok : {"Next", "Prev", "First", "Last", "NextRecv", "PrevRecv"}) {
        if (what == ok)
            return "[View(" + std::string(1, Q) + std::string(what) + Q + ")]";
    }
    return std::nullopt;
}

std::optional<std::string> FolderMacro(bool move, std::string_view target, const MailRef& m) {
    if (!IsSafeField(target) || !SafeRef(m))
        return std::nullopt;
    return "[" + std::string(move ? "Move" : "Copy") + "(" + std::string(target) + "," +
           m.folderFile + "," + m.number + ")]";
}

std::optional<std::string> CompanionFocusMacro(const MailRef& m) {
    if (!IsSafeQuotedField(m.folderFile) || m.folderFile.empty() || !IsSafeField(m.number))
        return std::nullopt;
    return "[Focus(" + std::string(1, Q) + m.folderFile + Q + "," + m.number + ")]";
}

std::optional<std::string> AppendMacro(std::string_view text) {
    if (!IsSafeQuotedField(text))
        return std::nullopt;
    return "[Append(" + std::string(1, Q) + std::string(text) + Q + ")]";
}

}  // namespace varnel::link
