// Mailer discovery: environment, desktop entry, fallback; trash folder from its settings.
#include "app/MailerLocator.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/IniFile.h"
#include "mail/MailNames.h"
#include "text/CommandSplit.h"
#include "text/Sjis.h"

namespace varnel::app {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kMailerName = "pelkmail";
constexpr std::string_view kTrashCan = "trash.can";
// A broken mailer settings file must not make the folder walk run away.
constexpr int kMaxFolderNames = 10000;

std::string Join(std::string_view dir, std::string_view name) {
    std::string out(dir);
    if (!out.empty() && out.back() != '/')
        out += '/';
    out += name;
    return out;
}

bool IsFile(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

std::vector<std::string> SplitList(std::string_view list) {
    std::vector<std::string> out;
    std::size_t pos = 0;
    while (pos <= list.size()) {
        std::size_t colon = list.find(':', pos);
        if (colon == std::string_view::npos)
            colon = list.size();
        const std::string_view item = list.substr(pos, colon - pos);
        if (!item.empty() && item[0] == '/')
            out.emplace_back(item);
        pos = colon + 1;
    }
    return out;
}

// Undoes the escapes of a desktop entry string value.
std::string UnescapeDesktopValue(std::string_view v) {
    std::string out;
    for (std::size_t i = 0; i < v.size(); ++i) {
        if (v[i] != '\\' || i + 1 >= v.size()) {
            out += v[i];
            continue;
        }
        switch (v[i + 1]) {
            case 's':
                out += ' ';
                break;
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case 'r':
                out += '\r';
                break;
            case '\\':
                out += '\\';
                break;
            default:
                out += v[i];
                continue;  // keep the backslash for the quoting pass
        }
        ++i;
    }
    return out;
}

bool IsFieldCode(char c) {
    return std::string_view("fFuUdDnNickvm").find(c) != std::string_view::npos;
}

// Drops field codes from one Exec word; returns false when the word was only a code.
bool StripFieldCodes(std::string& word) {
    if (word.size() == 2 && word[0] == '%' && IsFieldCode(word[1]))
        return false;
    std::string out;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (word[i] == '%' && i + 1 < word.size()) {
            if (word[i + 1] == '%')
                out += '%';
            else if (!IsFieldCode(word[i + 1]))
                out.append(word, i, 2);
            ++i;
            continue;
        }
        out += word[i];
    }
    word = std::move(out);
    return true;
}

std::string FindInPath(const std::string& program, const EnvLookup& env) {
    for (const std::string& dir : SplitList(env("PATH"))) {
        const std::string candidate = Join(dir, program);
        if (IsFile(candidate) && ::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return program;
}

bool ReadFile(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream ss;
    ss << in.rdbuf();
    bytes = std::move(ss).str();
    return true;
}

// A path from the mailer's files: "\" read as "/", a relative one put under dir.
std::string MailerPath(std::string_view value, std::string_view dir) {
    if (value.empty())
        return {};
    std::string p = text::ReplaceAll(value, "\\", "/");
    if (p[0] == '/' || dir.empty())
        return p;
    return Join(dir, p);
}

}  // namespace

std::vector<std::string> DesktopEntryCommand(std::string_view desktopFile, const EnvLookup& env) {
    const IniFile entry = IniFile::FromBytes(std::string(desktopFile));
    if (entry.ReadString("Desktop Entry", "Hidden", "") == "true")
        return {};
    const std::string exec = UnescapeDesktopValue(entry.ReadString("Desktop Entry", "Exec", ""));
    std::vector<std::string> words;
    if (!text::SplitCommand(exec, words))
        return {};
    std::vector<std::string> command;
    for (std::string& w : words) {
        if (StripFieldCodes(w))
            command.push_back(std::move(w));
    }
    if (command.empty() || command[0].empty())
        return {};
    if (command[0].find('/') == std::string::npos)
        command[0] = FindInPath(command[0], env);
    return command;
}

MailerProgram FindMailerProgram(const EnvLookup& env, std::string_view mailerHome) {
    MailerProgram found;
    if (const std::string pelkHome = env("PELKHOME"); !pelkHome.empty()) {
        found.exe = Join(pelkHome, kMailerName);
        found.source = MailerProgram::Source::PelkHome;
        return found;
    }
    const std::string home = env("HOME");
    if (!home.empty() && IsFile(Join(home, kMailerName))) {
        found.exe = Join(home, kMailerName);
        found.source = MailerProgram::Source::Home;
        return found;
    }

    std::string dataHome = env("XDG_DATA_HOME");
    if (dataHome.empty() || dataHome[0] != '/')
        dataHome = home.empty() ? std::string() : Join(home, ".local/share");
    std::string dataDirs = env("XDG_DATA_DIRS");
    if (dataDirs.empty())
        dataDirs = "/usr/local/share:/usr/share";
    std::vector<std::string> dirs = SplitList(dataDirs);
    if (!dataHome.empty())
        dirs.insert(dirs.begin(), dataHome);
    for (const std::string& dir : dirs) {
        const std::string file = Join(dir, "applications/pelk.desktop");
        std::string bytes;
        if (!IsFile(file) || !ReadFile(file, bytes))
            continue;
        // The first entry found decides, as for any desktop entry id; a hidden or broken
        // one means "no entry".
        std::vector<std::string> command = DesktopEntryCommand(bytes, env);
        if (command.empty())
            break;
        found.exe = std::move(command[0]);
        found.args.assign(std::make_move_iterator(command.begin() + 1),
                          std::make_move_iterator(command.end()));
        found.source = MailerProgram::Source::DesktopEntry;
        return found;
    }

    // Under the mailer home, else under the home: never a name relative to wherever
    // Varnel was started, whose settings file would then be read from there.
    const std::string base = !mailerHome.empty() && mailerHome[0] == '/' ? std::string(mailerHome)
                             : !home.empty() && home[0] == '/'           ? Join(home, "")
                                                                         : std::string();
    if (!base.empty())
        found.exe = Join(base, kMailerName);
    found.source = MailerProgram::Source::Fallback;
    return found;
}

std::string MailerIniFile(std::string_view mailerExe) {
    return std::string(mailerExe) + ".ini";
}

MailerFiles ReadMailerFiles(std::string_view mailerExe, std::string_view mailerHome,
                            std::string_view trashCanSetting) {
    MailerFiles files;
    if (mailerExe.empty() || mailerExe[0] != '/')
        return files;  // no mailer known: nothing is read from the working directory
    const IniFile ini(MailerIniFile(mailerExe));
    const std::string dir = mail::DirectoryOf(mailerExe);
    files.FolderDefFile = MailerPath(ini.ReadString("Global Parameters", "FolderDefFile", ""), dir);
    files.AliasFile = MailerPath(ini.ReadString("Global Parameters", "AliasFile", ""), dir);

    for (int i = 0; i < kMaxFolderNames; ++i) {
        const std::string name = ini.ReadString("Folder", "Name" + std::to_string(i), "");
        if (name.empty())
            break;
        // Classify on a lower-cased copy; the path itself keeps its case.
        const std::string path = text::ReplaceAll(name, "\\", "/");
        const std::string lower = text::ToLowerAscii(path);
        if (lower.starts_with(kTrashCan))
            files.TrashCanFile = Join(dir, path.substr(0, kTrashCan.size()));
        else if (path[0] == '/' && text::Contains(lower, kTrashCan))
            files.TrashCanFile = path;
    }
    if (files.TrashCanFile.empty() && !mailerHome.empty())
        files.TrashCanFile = Join(mailerHome, kTrashCan);
    if (!trashCanSetting.empty())
        files.TrashCanFile = std::string(trashCanSetting);
    return files;
}

void LocateMailer(const EnvLookup& env, std::string_view trashCanSetting, MailerSettings& mailer) {
    MailerProgram program = FindMailerProgram(env, mailer.MailerHome);
    if (mailer.MailerHome.empty() && (program.source == MailerProgram::Source::PelkHome ||
                                      program.source == MailerProgram::Source::Home))
        mailer.MailerHome = Join(mail::DirectoryOf(program.exe), "");
    mailer.MailerExe = std::move(program.exe);
    mailer.MailerArgs = std::move(program.args);
    MailerFiles files = ReadMailerFiles(mailer.MailerExe, mailer.MailerHome, trashCanSetting);
    mailer.FolderDefFile = std::move(files.FolderDefFile);
    mailer.AliasFile = std::move(files.AliasFile);
    mailer.TrashCanFile = std::move(files.TrashCanFile);
}

std::string MailerHomeFromMailFile(std::string_view path) {
    if (!mail::IsMailFile(path))
        return {};
    const std::string folder = mail::DirectoryOf(path);
    if (folder.empty() || folder == "/")
        return {};
    const std::string home = mail::DirectoryOf(folder);
    if (home.empty())
        return {};
    return Join(home, "");
}

}  // namespace varnel::app
