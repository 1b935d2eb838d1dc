// Reading a mail file whole and writing it back without ever leaving it half written.
#pragma once

#include <optional>
#include <string>

namespace varnel::mail {

// The file's bytes, or nullopt when it cannot be read (missing, a directory, no access).
std::optional<std::string> ReadFileBytes(const std::string& path);

// Writes bytes to a temporary file in the same directory, flushes it, gives it the
// original's permissions and renames it over path. On failure the temporary file is
// removed, the original is untouched, and error holds a readable reason.
bool WriteFileSafely(const std::string& path, const std::string& bytes, std::string& error);

}  // namespace varnel::mail
