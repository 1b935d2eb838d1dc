// Number stepping and the file history.
#include "store/MailStepping.h"

#include <filesystem>

#include "mail/MailNames.h"
#include "store/StoreNames.h"

namespace varnel::store {

namespace {
constexpr int kMaxProbes = 51;
}

bool FileExistsOnDisk(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

std::string NeighbourMailFile(std::string_view file, int step, const FileExists& exists) {
    const auto number = MailNumberValue(file);
    if (!number || step == 0)
        return {};
    const std::string name = mail::FileNameOf(file);
    const std::string dir = mail::DirectoryOf(file);
    const std::string prefix = dir.empty() ? std::string() : (dir == "/" ? dir : dir + "/");
    const std::string extension = name.substr(4);  // as written: ".txt" or ".TXT"
    for (int k = 1; k <= kMaxProbes; ++k) {
        const std::string candidate = prefix + StepNumberText(*number + k * step) + extension;
        if (exists(candidate))
            return candidate;
    }
    return {};
}

NeighbourCache NeighboursOf(const std::string& current, const std::string& pending,
                            const FileExists& exists) {
    NeighbourCache c;
    c.next = NeighbourMailFile(current, +1, exists);
    if (!pending.empty() && c.next == pending)
        c.next = NeighbourMailFile(pending, +1, exists);
    c.previous = NeighbourMailFile(current, -1, exists);
    if (!pending.empty() && c.previous == pending)
        c.previous = NeighbourMailFile(pending, -1, exists);
    // A folder whose only other mail is the pending one wraps back onto the current.
    if (c.next == current)
        c.next.clear();
    if (c.previous == current)
        c.previous.clear();
    return c;
}

void FileHistory::Record(const std::string& file) {
    ++position_;
    if (static_cast<int>(entries_.size()) > position_)
        entries_[static_cast<std::size_t>(position_)] = file;
    else
        entries_.push_back(file);
    if (position_ > max_) {
        entries_.erase(entries_.begin());
        --position_;
    }
    top_ = position_;
}

std::string FileHistory::PeekBack() const {
    return CanBack() ? entries_[static_cast<std::size_t>(position_ - 1)] : std::string();
}

std::string FileHistory::PeekAhead() const {
    return CanAhead() ? entries_[static_cast<std::size_t>(position_ + 1)] : std::string();
}

void FileHistory::CommitBack() {
    if (CanBack())
        --position_;
}

void FileHistory::CommitAhead() {
    if (CanAhead())
        ++position_;
}

}  // namespace varnel::store
