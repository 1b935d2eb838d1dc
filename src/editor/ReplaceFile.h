// Writing a whole file so that a failure never leaves a half-written original behind.
#pragma once

#include <string>
#include <string_view>

namespace varnel::editor {

// Writes bytes to a temporary file in the same directory, flushes it to disk and renames
// it over path (keeping an existing file's permission bits). On failure returns false,
// sets error to a readable reason, removes the temporary file and leaves path untouched.
bool ReplaceFileWrite(const std::string& path, std::string_view bytes, std::string& error);

// Reads a whole file. On failure returns false and sets error.
bool ReplaceFileRead(const std::string& path, std::string& bytes, std::string& error);

}  // namespace varnel::editor
