// Finding the mailer's program, its settings file and its trash folder.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/Environment.h"
#include "app/Settings.h"

namespace varnel::app {

// The mailer's program and how it was found.
struct MailerProgram {
    enum class Source { PelkHome, Home, DesktopEntry, Fallback };
    std::string exe;                // path of the program (real case)
    std::vector<std::string> args;  // arguments from the desktop entry's Exec line
    Source source = Source::Fallback;
};

// The first of: $PELKHOME/pelkmail when PELKHOME is set; $HOME/pelkmail when that file
// exists; the Exec line of pelk.desktop in $XDG_DATA_HOME/applications (default
// $HOME/.local/share) and then each of $XDG_DATA_DIRS/applications (default
// /usr/local/share:/usr/share); mailerHome + "pelkmail".
MailerProgram FindMailerProgram(const EnvLookup& env, std::string_view mailerHome);

// Program and arguments of the Exec key of a desktop entry's "[Desktop Entry]" group:
// the value's escapes (\s \n \t \r \\) are undone, the result is split with shell-like
// quoting and no expansion, field codes (%f, %U, ...) are dropped and "%%" becomes "%".
// A program without "/" is looked up in $PATH. Empty when there is no usable Exec line
// or the entry is Hidden.
std::vector<std::string> DesktopEntryCommand(std::string_view desktopFile, const EnvLookup& env);

// The mailer's settings file: its program path + ".ini".
std::string MailerIniFile(std::string_view mailerExe);

// Fields of the mailer's settings file that this program uses.
struct MailerFiles {
    std::string FolderDefFile;  // "" when the mailer names none
    std::string AliasFile;      // "" when the mailer names none
    std::string TrashCanFile;   // "" when it cannot be known
};

// Reads FolderDefFile and AliasFile of "Global Parameters" and the trash folder among
// "Name0", "Name1", ... of "Folder" from the mailer's settings file. Values there may be
// Windows-style ("\" separators); a relative name is taken relative to the mailer's
// directory. A name starting with "trash.can" (any case) gives <mailer dir>/trash.can,
// an absolute one containing it is used as it stands; otherwise mailerHome + "trash.can".
// A non-empty trashCanSetting overrides all of this.
MailerFiles ReadMailerFiles(std::string_view mailerExe, std::string_view mailerHome,
                            std::string_view trashCanSetting);

// Fills MailerExe, MailerArgs, TrashCanFile, FolderDefFile and AliasFile. MailerHome is
// kept when set; when empty and the mailer was found through PELKHOME or HOME, it becomes
// that directory (ending in "/").
void LocateMailer(const EnvLookup& env, std::string_view trashCanSetting, MailerSettings& mailer);

// The mailer home for a mail file: the parent of the mail's folder directory, ending in
// "/". Empty for anything that is no mail file (a draft in the temp directory, say).
std::string MailerHomeFromMailFile(std::string_view path);

}  // namespace varnel::app
