// Names of mail files, folder index files and drafts. Paths keep their real case for
// every file access; the rules that classify a path look at a lower-cased copy.
#pragma once

#include <string>
#include <string_view>

namespace varnel::mail {

// Directory part without the trailing "/" ("" for a bare name).
std::string DirectoryOf(std::string_view path);
// Name after the last "/".
std::string FileNameOf(std::string_view path);

// Exactly four decimal digits and ".txt" in any letter case ("0042.txt").
bool IsMailFile(std::string_view path);
// The four digits of a mail file's name, else "".
std::string MailNumberOf(std::string_view path);
// The folder index file of a mail file: its directory + ".can" when the folder's own
// name contains "trash" (any case), else + ".fld". Real case kept: it is sent to the mailer.
std::string FolderFileOf(std::string_view mailFile);

// The folder's own name contains "trash", or its index file is "trash.can".
bool IsTrashFolder(std::string_view folderDirOrIndex);
// The file lies in the mailer's out folder (its directory is named "out").
bool IsInOutFolder(std::string_view path);
// A mailer compose file: named "_pel*.tmp", or any file in the out folder.
bool IsComposeFile(std::string_view path);

}  // namespace varnel::mail
