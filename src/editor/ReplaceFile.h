// Writing a whole file so that a failure never leaves a half-written original behind.
#pragma once

#include <string>
#include <string_view>

namespace varnel::editor {

struct ReplaceFileOptions {
    // Creates the missing parent directories of the target first (a settings file in a
    // directory that does not exist yet). Off by default: a mail or document whose folder
    // has gone must fail, not be written into a new empty folder.
    bool createDirectories = false;
};

// Writes bytes to a temporary file in the same directory as path, flushes it to disk and
// renames it over path, keeping an existing file's permission bits. A symbolic link is
// followed, so its target is replaced and the link stays. A file that is write-protected
// (no write bit, or not writable by us) is refused. On failure returns false, sets error
// to a readable reason, removes the temporary file and leaves path untouched.
//
// The temporary file is ".~NAME.varnel-PID.XXXXXX"; temporary files of this form left in
// the directory by a writer that no longer runs (killed mid-write) are removed first.
bool ReplaceFileWrite(const std::string& path, std::string_view bytes, std::string& error,
                      ReplaceFileOptions options = {});

// Removes the temporary files of dead writers from dir; returns how many.
int RemoveStaleTemporaries(const std::string& dir);

// Reads a whole regular file. On failure (missing, a directory, a device, no access)
// returns false and sets error.
bool ReplaceFileRead(const std::string& path, std::string& bytes, std::string& error);

}  // namespace varnel::editor
