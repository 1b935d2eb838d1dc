// The stand-in mailer's mail store: folders under its home, mail files, and the folder
// index files it keeps true when mail is stored, moved, copied or re-read.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "store/FolderDefinitions.h"

namespace pelkmail {

class StandInStore {
  public:
    // Reads the folder list from home/pelkmail.ini; without one, every *.fld and *.can
    // beside a directory of the same name is a folder.
    explicit StandInStore(std::string home);

    const std::string& Home() const { return home_; }
    const std::vector<varnel::store::FolderEntry>& Folders() const { return folders_; }
    // Position of the folder with this index file in the list; -1 when not listed.
    int FolderPosition(const std::string& indexFile) const;

    // The mail directory and file of an index file ("/h/in.fld" -> "/h/in").
    static std::string DirectoryOfIndex(const std::string& indexFile);
    static std::string MailPath(const std::string& indexFile, int number);
    // Mail numbers present in the folder, ascending.
    static std::vector<int> MailNumbers(const std::string& indexFile);
    // The four letters of a mail's status line, "" when it has none or is missing.
    static std::string XStatusOf(const std::string& mailPath);

    // Sets the index record of mail n from its file's status (a record is made when
    // there is none). False with error set when the mail or index cannot be handled.
    bool SyncStatus(const std::string& indexFile, int n, std::string& error);
    // Moves or copies mail n of source into target at its next free number and updates
    // both index files. Returns the new file, or nullopt with error set.
    std::optional<std::string> MoveOrCopy(bool move, const std::string& targetIndex,
                                          const std::string& sourceIndex, int n,
                                          std::string& error);
    // Stores a draft in the out folder; returns its path.
    std::optional<std::string> StoreDraft(const std::string& content, std::string& error);
    // Moves the first queued mail (queueDir/*.txt, by name) into the inbox as a new,
    // unread mail. nullopt with error "" when nothing is queued.
    std::optional<std::string> DeliverQueued(const std::string& queueDir, std::string& error);

    static std::optional<std::string> ReadFile(const std::string& path);

  private:
    std::string FolderIndexNamed(const std::string& name, const std::string& fallback) const;
    std::optional<std::string> StoreNew(const std::string& indexFile, const std::string& bytes,
                                        std::string& error);

    std::string home_;
    std::vector<varnel::store::FolderEntry> folders_;
};

}  // namespace pelkmail
