// Mail numbers and the names that navigation builds from them.
//
// Two writings of a mail number are in use. Thread and search commands write "000" + n
// and keep the last four characters (ThreadNumberText). Stepping adds 20000, writes it
// in decimal and keeps characters 2 to 5, so that -1 reads "9999" and 10000 reads
// "0000" (StepNumberText): probing wraps within 0000 to 9999.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace varnel::store {

std::string ThreadNumberText(long n);
std::string StepNumberText(long n);

// The folder index file that thread commands read for a mail file: its directory plus
// ".fld", in the real case ("/h/in/0001.txt" -> "/h/in.fld").
std::string ThreadFolderFileOf(std::string_view mailFile);
// The mail number of a mail file, or nothing when it has no mail file name.
std::optional<long> MailNumberValue(std::string_view mailFile);
// The mail file of record i of a folder index file ("/h/in.fld", 3 -> "/h/in/0003.txt").
std::string MailFileOfRecord(std::string_view indexFile, std::size_t i);

// The other folder of the received/sent pair: "in.fld" <-> "sent.fld", decided on the
// index file's own name (one path component), in the real case of its directory.
// Nothing for any other folder.
std::optional<std::string> PairedFolderOf(std::string_view indexFile);
// Whether an index file is the received-mail folder's ("in.fld", by name).
bool IsInFolder(std::string_view indexFile);

}  // namespace varnel::store
