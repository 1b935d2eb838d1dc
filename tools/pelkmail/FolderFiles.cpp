// New mail files and their index records.
#include "FolderFiles.h"

#include <algorithm>
#include <ctime>
#include <filesystem>

#include "editor/ReplaceFile.h"
#include "mail/MailNames.h"
#include "store/FolderIndex.h"
#include "store/IndexRecordFromMail.h"
#include "text/Sjis.h"

namespace pelkmail {

using namespace varnel;

std::string FolderIndexNamed(const StandInStore& store, std::string_view name) {
    for (const auto& f : store.Folders()) {
        if (text::ToLowerAscii(mail::FileNameOf(f.indexFile)) == text::ToLowerAscii(name))
            return f.indexFile;
    }
    return store.Home() + "/" + std::string(name);
}

int NextFreeNumber(const std::string& indexFile) {
    int next = 1;
    for (int n : StandInStore::MailNumbers(indexFile))
        next = std::max(next, n + 1);
    store::FolderIndex index(indexFile);
    if (index.IsOpen())
        next = std::max(next, static_cast<int>(index.RecordCount()));
    return next;
}

bool StoreAt(const std::string& indexFile, int n, const std::string& bytes, bool writeFile,
             std::string& error) {
    const std::string path = StandInStore::MailPath(indexFile, n);
    if (writeFile && !editor::ReplaceFileWrite(path, bytes, error))
        return false;
    store::FolderIndex index(indexFile);
    if (index.IsOpen() &&
        index.ReadStatus(static_cast<std::size_t>(n)) != store::IndexStatus::kEmpty)
        return true;
    const auto r = store::FolderIndex::PutRecord(
        indexFile, static_cast<std::size_t>(n),
        store::IndexRecordFromMail(bytes, static_cast<std::uint32_t>(std::time(nullptr))));
    if (!r.ok)
        error = r.error;
    return r.ok;
}

std::optional<std::string> StoreNewMail(const std::string& indexFile, const std::string& bytes,
                                        std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(StandInStore::DirectoryOfIndex(indexFile), ec);
    const int n = NextFreeNumber(indexFile);
    if (n > 9999) {
        error = "folder full: " + indexFile;
        return std::nullopt;
    }
    if (!StoreAt(indexFile, n, bytes, true, error))
        return std::nullopt;
    return StandInStore::MailPath(indexFile, n);
}

}  // namespace pelkmail
