// Sorting rules that the "To Folder" commands add to the mailer's folder definition
// file: the sender's address read from the mail header, the rule line made from it,
// and the line put on top of the file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace varnel::store {

// The address in the first header field named key (lower-case, with colon and blank:
// "from: "), folded lines included: the text between the first "<" and the first ">"
// after it, else the word holding the at-sign; "" when there is none. The header ends
// at an empty line, a line beginning with "--", or the end of the bytes.
std::string ReadHeaderAddress(std::string_view mailBytes, std::string_view key);

// "/^FROM:.*" + address + "/ " + folder, or nothing when either would break the rule
// line: an address holding "/", a blank, a tab or a control character, or an empty
// folder or one holding a line break or NUL. Checks run on whole CP932 characters.
std::optional<std::string> FolderRuleLine(std::string_view address, std::string_view folder);

enum class PrependResult { Written, NoFile, Failed };

// Puts line on top of the file, the rest kept byte for byte, with the file's own line
// end (CR LF when its first line ends so, or when it has none yet). Written through a
// temporary file and a rename. A missing file is left missing (NoFile).
PrependResult PrependLine(const std::string& path, std::string_view line, std::string& error);

}  // namespace varnel::store
