// Storing new mail files with their index records, for receiving and sending.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "StandInStore.h"

namespace pelkmail {

// The index file of the folder whose index file is named name ("in.fld", any case);
// home/name when the folder list has none.
std::string FolderIndexNamed(const StandInStore& store, std::string_view name);

// The next free mail number: past every mail file and every index record.
int NextFreeNumber(const std::string& indexFile);

// Writes mail n (atomically, when writeFile) and adds its index record when the slot is
// empty, so that completing an interrupted store keeps a status set meanwhile.
bool StoreAt(const std::string& indexFile, int n, const std::string& bytes, bool writeFile,
             std::string& error);

// Stores bytes at the folder's next free number; the new file's path.
std::optional<std::string> StoreNewMail(const std::string& indexFile, const std::string& bytes,
                                        std::string& error);

}  // namespace pelkmail
