// Temporary compose files and backups.
#include "app/TempFiles.h"

#include <algorithm>
#include <filesystem>

#include "editor/ReplaceFile.h"
#include "mail/MailLines.h"
#include "mail/MailNames.h"
#include "text/Sjis.h"

namespace varnel::app {

namespace fs = std::filesystem;

std::string TempDirectory(const std::string& tempPath, const EnvLookup& env) {
    std::string dir = tempPath;
    if (dir.empty() && env)
        dir = env("TMPDIR");
    if (dir.empty())
        dir = "/tmp";
    if (dir.back() != '/')
        dir += '/';
    return dir;
}

bool MatchesNamePattern(std::string_view name, std::string_view pattern) {
    if (name.size() != pattern.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (pattern[i] != '?' && text::ToLowerAscii(name.substr(i, 1)) != pattern.substr(i, 1))
            return false;
    }
    return true;
}

std::vector<std::string> FilesMatching(const std::string& dir, std::string_view pattern) {
    std::vector<std::string> files;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError) &&
            MatchesNamePattern(it->path().filename().string(), pattern))
            files.push_back(it->path().string());
    }
    return files;
}

std::string TempFileKey(std::string_view mailBytes) {
    const mail::MailLines lines = mail::MailLines::Split(mailBytes);
    std::string date;
    for (std::size_t i = 0; i < lines.Size(); ++i) {
        const std::string& line = lines.Text(i);
        if (line.empty() || line == "--------")
            break;
        const std::string lower = text::ToLowerAscii(line);
        if (lower.starts_with("message-id: "))
            return line;
        if (lower.starts_with("date: "))
            date = line;
    }
    return date;
}

std::optional<std::string> FindTempFile(const std::string& dir, const std::string& key) {
    constexpr int kFullScore = 7;
    if (key.empty())
        return std::nullopt;
    std::optional<std::string> candidate;
    for (const std::string& file : FilesMatching(dir, "?pel????.tmp")) {
        std::string bytes, error;
        if (!editor::ReplaceFileRead(file, bytes, error))
            continue;  // unreadable files are skipped
        const mail::MailLines lines = mail::MailLines::Split(bytes);
        // The header ends at the first empty line; the key's line and the header lines
        // after it make the score.
        std::size_t end = 0;
        while (end < lines.Size() && !lines.Text(end).empty())
            ++end;
        int score = 0;
        for (std::size_t i = 0; i < end; ++i) {
            if (lines.Text(i) == key) {
                score = static_cast<int>(std::min<std::size_t>(kFullScore, end - i));
                break;
            }
        }
        if (score > 0)
            candidate = file;
        if (score == kFullScore)
            break;
    }
    return candidate;
}

std::string BackupNameOf(const std::string& path) {
    const std::string name = mail::FileNameOf(path);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0)
        return path + ".bak";
    return path.substr(0, path.size() - (name.size() - dot)) + ".bak";
}

}  // namespace varnel::app
