// The mailer's folders as its settings file names them, and the sorting rules of its
// folder definition file.
//
// From the mailer's settings file ("pelkmail.ini" beside the mailer executable):
//   [Global Parameters] FolderDefFile=<folder definition file>  AliasFile=<address book>
//   [Folder]            Name0=in.fld  Name1=out.fld  Name2=trash.can ...
// The folder list is read from Name0 upwards until the first empty value.
//
// Values may be written Windows-style: "\" is read as a separator (never the second
// byte of a double-byte character). A value starting with "/" is absolute; any other
// value, with or without separators (a drive letter included), is relative to the
// mailer's directory.
//
// Folder definition file: text lines (CR LF or LF), CP932. A rule line is
//   /pattern/ folder
// (the pattern runs to the last "/" that is followed by a blank; the folder is the
// rest, trimmed). Every other line (comments, the mailer's own entries) is left alone.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnel::store {

struct FolderEntry {
    std::string name;       // the value as written ("in.fld")
    std::string indexFile;  // the folder index file, resolved ("/home/u/pelk/in.fld")
    std::string directory;  // the folder's mail directory ("/home/u/pelk/in")
    bool trash = false;     // the trash folder ("trash.can", or a folder named *trash*)
};

struct FolderRule {
    std::size_t line = 0;  // 1-based line number in the file
    std::string pattern;   // between the slashes
    std::string folder;    // destination as written
};

class FolderDefinitions {
  public:
    // Looks a key up in the mailer's settings file; "" when absent.
    using Lookup = std::function<std::string(std::string_view section, std::string_view key)>;

    // mailerExe: the mailer executable's path (its directory is the base of relative
    // values); lookup: reads the mailer's settings file.
    static FolderDefinitions FromMailerSettings(std::string_view mailerExe, const Lookup& lookup);

    // A settings value made a path (separators, relative base as described above).
    static std::string ResolvePath(std::string_view mailerDir, std::string_view value);

    // The rule lines of a folder definition file; nothing when it cannot be read.
    static std::optional<std::vector<FolderRule>> ReadRules(const std::string& definitionFile);
    // One line parsed as a rule, or nothing when it is not one.
    static std::optional<FolderRule> ParseRule(std::string_view line);

    const std::string& MailerDirectory() const { return mailerDir_; }
    // "" when the settings name none.
    const std::string& DefinitionFile() const { return definitionFile_; }
    const std::string& AliasFile() const { return aliasFile_; }
    const std::vector<FolderEntry>& Folders() const { return folders_; }
    // The first folder whose index file name (without directory) equals name, any case.
    const FolderEntry* FindByIndexName(std::string_view name) const;
    // The first trash folder, if any.
    const FolderEntry* Trash() const;

  private:
    std::string mailerDir_;
    std::string definitionFile_;
    std::string aliasFile_;
    std::vector<FolderEntry> folders_;
};

}  // namespace varnel::store
