// The mailer's folder list, its side files and the rule lines of its folder definitions.
#include "store/FolderDefinitions.h"

#include <fstream>

#include "mail/MailNames.h"
#include "text/Sjis.h"

namespace varnel::store {

namespace {

// Enough for any real mailer; stops a runaway numbering.
constexpr int kMaxFolders = 1000;

bool EndsWithNoCase(std::string_view s, std::string_view suffix) {
    return s.size() >= suffix.size() &&
           text::ToLowerAscii(s.substr(s.size() - suffix.size())) == suffix;
}

FolderEntry MakeEntry(std::string_view mailerDir, const std::string& value) {
    FolderEntry entry;
    entry.name = value;
    const std::string path = FolderDefinitions::ResolvePath(mailerDir, value);
    if (EndsWithNoCase(path, ".fld") || EndsWithNoCase(path, ".can")) {
        entry.indexFile = path;
        entry.directory = path.substr(0, path.size() - 4);
    } else {
        // A bare folder directory: its index file lies beside it.
        entry.directory = path;
        entry.indexFile = path + (mail::IsTrashFolder(path) ? ".can" : ".fld");
    }
    entry.trash = mail::IsTrashFolder(entry.indexFile);
    return entry;
}

}  // namespace

std::string FolderDefinitions::ResolvePath(std::string_view mailerDir, std::string_view value) {
    const std::string path = text::ReplaceAll(text::TrimBlanks(value), "\\", "/");
    if (path.empty() || path.front() == '/' || mailerDir.empty())
        return path;
    std::string dir(mailerDir);
    if (dir.back() != '/')
        dir += '/';
    return dir + path;
}

FolderDefinitions FolderDefinitions::FromMailerSettings(std::string_view mailerExe,
                                                        const Lookup& lookup) {
    FolderDefinitions defs;
    defs.mailerDir_ = mail::DirectoryOf(mailerExe);
    defs.definitionFile_ =
        ResolvePath(defs.mailerDir_, lookup("Global Parameters", "FolderDefFile"));
    defs.aliasFile_ = ResolvePath(defs.mailerDir_, lookup("Global Parameters", "AliasFile"));
    for (int i = 0; i < kMaxFolders; ++i) {
        const std::string value(text::TrimBlanks(lookup("Folder", "Name" + std::to_string(i))));
        if (value.empty())
            break;
        defs.folders_.push_back(MakeEntry(defs.mailerDir_, value));
    }
    return defs;
}

std::optional<FolderRule> FolderDefinitions::ParseRule(std::string_view line) {
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    if (line.empty() || line.front() != '/')
        return std::nullopt;
    const std::size_t close = text::FindLast(line, "/ ");
    if (close == text::npos || close == 0)
        return std::nullopt;
    FolderRule rule;
    rule.pattern = std::string(line.substr(1, close - 1));
    rule.folder = std::string(text::TrimBlanks(line.substr(close + 2)));
    if (rule.folder.empty())
        return std::nullopt;
    return rule;
}

std::optional<std::vector<FolderRule>> FolderDefinitions::ReadRules(
    const std::string& definitionFile) {
    std::ifstream in(definitionFile, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::vector<FolderRule> rules;
    std::string line;
    for (std::size_t n = 1; std::getline(in, line); ++n) {
        if (auto rule = ParseRule(line)) {
            rule->line = n;
            rules.push_back(std::move(*rule));
        }
    }
    return rules;
}

const FolderEntry* FolderDefinitions::FindByIndexName(std::string_view name) const {
    const std::string wanted = text::ToLowerAscii(name);
    for (const auto& f : folders_) {
        if (text::ToLowerAscii(mail::FileNameOf(f.indexFile)) == wanted)
            return &f;
    }
    return nullptr;
}

const FolderEntry* FolderDefinitions::Trash() const {
    for (const auto& f : folders_) {
        if (f.trash)
            return &f;
    }
    return nullptr;
}

}  // namespace varnel::store
