// Mail numbers and navigation names.
#include "store/StoreNames.h"

#include "mail/MailNames.h"
#include "text/Sjis.h"

namespace varnel::store {

std::string ThreadNumberText(long n) {
    const std::string s = "000" + std::to_string(n);
    return s.substr(s.size() - 4);
}

std::string StepNumberText(long n) {
    const long wrapped = ((n % 10000) + 10000) % 10000;
    return std::to_string(20000 + wrapped).substr(1, 4);
}

std::string ThreadFolderFileOf(std::string_view mailFile) {
    return mail::DirectoryOf(mailFile) + ".fld";
}

std::optional<long> MailNumberValue(std::string_view mailFile) {
    const std::string digits = mail::MailNumberOf(mailFile);
    if (digits.empty())
        return std::nullopt;
    return std::stol(digits);
}

std::string MailFileOfRecord(std::string_view indexFile, std::size_t i) {
    std::string_view base = indexFile;
    const std::string low = text::ToLowerAscii(base);
    if (low.ends_with(".fld") || low.ends_with(".can"))
        base.remove_suffix(4);
    return std::string(base) + "/" + ThreadNumberText(static_cast<long>(i)) + ".txt";
}

bool IsInFolder(std::string_view indexFile) {
    return text::ToLowerAscii(mail::FileNameOf(indexFile)) == "in.fld";
}

std::optional<std::string> PairedFolderOf(std::string_view indexFile) {
    const std::string name = text::ToLowerAscii(mail::FileNameOf(indexFile));
    const std::string dir = mail::DirectoryOf(indexFile);
    const std::string prefix = dir.empty() ? std::string() : (dir == "/" ? dir : dir + "/");
    if (name == "in.fld")
        return prefix + "sent.fld";
    if (name == "sent.fld")
        return prefix + "in.fld";
    return std::nullopt;
}

}  // namespace varnel::store
