// Mail store operations of the stand-in mailer.
#include "StandInStore.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "FolderFiles.h"
#include "app/IniFile.h"
#include "editor/ReplaceFile.h"
#include "link/MailerMacros.h"
#include "mail/MailNames.h"
#include "store/FolderIndex.h"
#include "store/IndexRecordFromMail.h"
#include "text/Sjis.h"

namespace pelkmail {

namespace fs = std::filesystem;
using namespace varnel;

namespace {

std::string Lower(std::string_view s) {
    return text::ToLowerAscii(s);
}

std::uint32_t Now() {
    return static_cast<std::uint32_t>(std::time(nullptr));
}

}  // namespace

StandInStore::StandInStore(std::string home) : home_(std::move(home)) {
    while (home_.size() > 1 && home_.back() == '/')
        home_.pop_back();
    const std::string ini = home_ + "/pelkmail.ini";
    if (fs::exists(ini)) {
        const app::IniFile settings(ini);
        const auto defs = store::FolderDefinitions::FromMailerSettings(
            home_ + "/pelkmail", [&](std::string_view section, std::string_view key) {
                return settings.ReadString(section, key, "");
            });
        folders_ = defs.Folders();
    }
    if (folders_.empty()) {
        std::vector<std::string> names;
        std::error_code ec;
        for (const auto& e : fs::directory_iterator(home_, ec)) {
            const std::string name = e.path().filename().string();
            const std::string low = Lower(name);
            if ((low.ends_with(".fld") || low.ends_with(".can")) &&
                fs::is_directory(DirectoryOfIndex(e.path().string())))
                names.push_back(name);
        }
        std::sort(names.begin(), names.end());
        for (const auto& n : names) {
            store::FolderEntry f;
            f.name = n;
            f.indexFile = home_ + "/" + n;
            f.directory = DirectoryOfIndex(f.indexFile);
            f.trash = mail::IsTrashFolder(f.indexFile);
            folders_.push_back(f);
        }
    }
}

int StandInStore::FolderPosition(const std::string& indexFile) const {
    for (std::size_t i = 0; i < folders_.size(); ++i) {
        if (folders_[i].indexFile == indexFile)
            return static_cast<int>(i);
    }
    return -1;
}

std::string StandInStore::DirectoryOfIndex(const std::string& indexFile) {
    const std::string low = Lower(indexFile);
    if (low.ends_with(".fld") || low.ends_with(".can"))
        return indexFile.substr(0, indexFile.size() - 4);
    return indexFile;
}

std::string StandInStore::MailPath(const std::string& indexFile, int number) {
    return DirectoryOfIndex(indexFile) + "/" + link::PadMailNumber(number) + ".txt";
}

std::vector<int> StandInStore::MailNumbers(const std::string& indexFile) {
    std::vector<int> numbers;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(DirectoryOfIndex(indexFile), ec)) {
        const std::string name = e.path().filename().string();
        if (e.is_regular_file() && mail::IsMailFile(name))
            numbers.push_back(std::stoi(mail::MailNumberOf(name)));
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

std::optional<std::string> StandInStore::ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string StandInStore::XStatusOf(const std::string& mailPath) {
    std::ifstream in(mailPath, std::ios::binary);
    std::string first;
    if (!std::getline(in, first) || !first.starts_with("X-Status: ") || first.size() < 14)
        return "";
    return first.substr(10, 4);
}

bool StandInStore::SyncStatus(const std::string& indexFile, int n, std::string& error) {
    const std::string path = MailPath(indexFile, n);
    const auto bytes = ReadFile(path);
    if (!bytes) {
        error = "no mail " + path;
        return false;
    }
    store::IndexResult r;
    const std::uint8_t status = store::StatusByteForXStatus(XStatusOf(path));
    store::FolderIndex index(indexFile);
    if (index.IsOpen() &&
        index.ReadStatus(static_cast<std::size_t>(n)) != store::IndexStatus::kEmpty) {
        r = store::FolderIndex::UpdateStatus(indexFile, static_cast<std::size_t>(n), status);
    } else {
        r = store::FolderIndex::PutRecord(indexFile, static_cast<std::size_t>(n),
                                          store::IndexRecordFromMail(*bytes, Now()));
    }
    if (!r.ok)
        error = r.error;
    return r.ok;
}

std::optional<std::string> StandInStore::StoreNew(const std::string& indexFile,
                                                  const std::string& bytes, std::string& error) {
    std::error_code ec;
    fs::create_directories(DirectoryOfIndex(indexFile), ec);
    const int m = NextFreeNumber(indexFile);
    if (m > 9999) {
        error = "folder full: " + indexFile;
        return std::nullopt;
    }
    const std::string path = MailPath(indexFile, m);
    if (!editor::ReplaceFileWrite(path, bytes, error))
        return std::nullopt;
    const auto r = store::FolderIndex::PutRecord(indexFile, static_cast<std::size_t>(m),
                                                 store::IndexRecordFromMail(bytes, Now()));
    if (!r.ok) {
        error = r.error;
        return std::nullopt;
    }
    return path;
}

std::optional<std::string> StandInStore::MoveOrCopy(bool move, const std::string& targetIndex,
                                                    const std::string& sourceIndex, int n,
                                                    std::string& error) {
    const std::string source = MailPath(sourceIndex, n);
    const auto bytes = ReadFile(source);
    if (!bytes) {
        error = "no mail " + source;
        return std::nullopt;
    }
    if (DirectoryOfIndex(targetIndex) == DirectoryOfIndex(sourceIndex)) {
        error = "source and target are the same folder";
        return std::nullopt;
    }
    store::FolderIndex src(sourceIndex);
    const auto record = src.IsOpen() ? src.ReadRecord(static_cast<std::size_t>(n)) : std::nullopt;
    auto stored = StoreNew(targetIndex, *bytes, error);
    if (!stored)
        return std::nullopt;
    if (record && !record->IsEmpty()) {
        // Keep what the mailer knew (status, time) rather than what the header says.
        const int m = std::stoi(mail::MailNumberOf(*stored));
        const auto r =
            store::FolderIndex::PutRecord(targetIndex, static_cast<std::size_t>(m), *record);
        if (!r.ok) {
            error = "stored, but the target index was not updated: " + r.error;
            return std::nullopt;
        }
    }
    if (move) {
        if (std::remove(source.c_str()) != 0) {
            error = "copied, but cannot remove " + source;
            return std::nullopt;
        }
        // The source record becomes an empty slot: readers see no mail there any more.
        if (src.IsOpen() && static_cast<std::size_t>(n) < src.RecordCount()) {
            const auto r = store::FolderIndex::UpdateStatus(
                sourceIndex, static_cast<std::size_t>(n), store::IndexStatus::kEmpty);
            if (!r.ok) {
                error = "moved, but the source index was not updated: " + r.error;
                return std::nullopt;
            }
        }
    }
    return stored;
}

std::string StandInStore::FolderIndexNamed(const std::string& name,
                                           const std::string& fallback) const {
    for (const auto& f : folders_) {
        if (Lower(mail::FileNameOf(f.indexFile)) == name)
            return f.indexFile;
    }
    return home_ + "/" + fallback;
}

std::optional<std::string> StandInStore::StoreDraft(const std::string& content,
                                                    std::string& error) {
    return StoreNew(FolderIndexNamed("out.fld", "out.fld"), content, error);
}

std::optional<std::string> StandInStore::DeliverQueued(const std::string& queueDir,
                                                       std::string& error) {
    error.clear();
    std::vector<std::string> queued;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(queueDir, ec)) {
        if (e.is_regular_file() && Lower(e.path().extension().string()) == ".txt")
            queued.push_back(e.path().string());
    }
    if (queued.empty())
        return std::nullopt;
    std::sort(queued.begin(), queued.end());
    auto bytes = ReadFile(queued.front());
    if (!bytes) {
        error = "cannot read " + queued.front();
        return std::nullopt;
    }
    // A received mail starts with its status line; a new one is unread.
    if (bytes->starts_with("X-Status: "))
        bytes->erase(
            0, bytes->find('\n') == std::string::npos ? bytes->size() : bytes->find('\n') + 1);
    *bytes = "X-Status: RECV\r\n" + *bytes;
    auto stored = StoreNew(FolderIndexNamed("in.fld", "in.fld"), *bytes, error);
    if (stored)
        std::remove(queued.front().c_str());
    return stored;
}

}  // namespace pelkmail
