// Builders for the bracketed macros sent to the mailer, its companion and the address
// book. A field that would break the macro's syntax makes the builder refuse (nullopt):
// nothing malformed is ever sent, and nothing is truncated.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace varnel::link {

// The folder index file and four-digit number that name a shown mail to the mailer.
struct MailRef {
    std::string folderFile;  // FolderFileOf(mail), real case
    std::string number;      // MailNumberOf(mail)
};

// nullopt unless path is a mailer mail file (four digits + ".txt").
std::optional<MailRef> MailRefOf(std::string_view path);

// Four digits, zero-padded, from an integer (last four characters of "000" + n).
std::string PadMailNumber(int n);

// True when text can stand as a macro field: no CR, LF or NUL, and none of the
// delimiters , ( ) [ ] and the double quote.
bool IsSafeField(std::string_view text);
// A field that stands inside double quotes may hold , ( ) but no quote and no "]".
bool IsSafeQuotedField(std::string_view text);

std::optional<std::string> FocusMacro(const MailRef& m);    // [Focus(F,N)]
std::optional<std::string> UpdateMacro(const MailRef& m);   // [Update(F,N)]
std::optional<std::string> ReplyMacro(const MailRef& m);    // [Reply(F,N)]
std::optional<std::string> ForwardMacro(const MailRef& m);  // [Forward("F","N")]
std::optional<std::string> RealizeMacro(const MailRef& m, std::string_view dir);
std::string ReceiveMacro();                                   // [Receive]
std::optional<std::string> ViewMacro(std::string_view what);  // [View("Next")]
// [Move(T,F,N)] or [Copy(T,F,N)]
std::optional<std::string> FolderMacro(bool move, std::string_view target, const MailRef& m);
std::optional<std::string> CompanionFocusMacro(const MailRef& m);  // [Focus("F",N)]
std::optional<std::string> AppendMacro(std::string_view text);     // [Append("text")]

}  // namespace varnel::link
