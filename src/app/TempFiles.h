// The mailer's temporary compose files and the backups beside mail: finding the compose
// file of a mail, and the names the delete command removes.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/Environment.h"

namespace varnel::app {

// The directory searched: TempPath when set, else $TMPDIR, else "/tmp"; ends in "/".
std::string TempDirectory(const std::string& tempPath, const EnvLookup& env);

// name matches pattern, where "?" stands for any one byte and the rest compares
// ignoring ASCII letter case ("?pel????.tmp").
bool MatchesNamePattern(std::string_view name, std::string_view pattern);

// The regular files of dir whose names match pattern, full paths in directory order.
std::vector<std::string> FilesMatching(const std::string& dir, std::string_view pattern);

// The key that finds a mail's compose file: in the header (up to an empty line or
// "--------"), the first line starting "message-id: " (any case) as it stands, else the
// last line starting "date: "; empty when neither is there.
std::string TempFileKey(std::string_view mailBytes);

// The compose file in dir ("?pel????.tmp", in directory order) whose header (up to its
// first empty line) holds key as a whole line: the last such file, except that one with
// six more header lines after the key is taken at once. nullopt when none holds it.
std::optional<std::string> FindTempFile(const std::string& dir, const std::string& key);

// Where autosave writes a file: its extension (from the last "." of its name) replaced
// by ".bak", or ".bak" added to a name without one.
std::string BackupNameOf(const std::string& path);

}  // namespace varnel::app
