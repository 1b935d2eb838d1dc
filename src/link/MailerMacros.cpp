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

// Delimiters are looked for by whole characters: the trail byte 0x5B or 0x5D of a
// name such as 江 or 転 is not a bracket.
bool IsSafeField(std::string_view t) {
    return !t.empty() && !HasLineBreakOrNul(t) && text::FindFirstOf(t, ",()[]\"") == text::npos;
}

bool IsSafeQuotedField(std::string_view t) {
    return !HasLineBreakOrNul(t) && text::FindFirstOf(t, "\"]") == text::npos;
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
