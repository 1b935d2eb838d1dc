// Maildir receiving and importing.
#include "Maildir.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>

#include "FolderFiles.h"
#include "Import.h"

namespace pelkmail {

namespace fs = std::filesystem;
using namespace varnel;

namespace {

std::string InboxIndex(const StandInStore& store) {
    return FolderIndexNamed(store, "in.fld");
}

std::string AfterFirstLine(std::string_view s) {
    const std::size_t nl = s.find('\n');
    return nl == std::string_view::npos ? "" : std::string(s.substr(nl + 1));
}

// The folder's free numbers in order, found once per pass instead of once per mail.
class FreeNumbers {
  public:
    explicit FreeNumbers(std::string indexFile)
        : indexFile_(std::move(indexFile)), next_(NextFreeNumber(indexFile_)) {}
    int Take() {
        std::error_code ec;
        while (next_ <= 9999 && fs::exists(StandInStore::MailPath(indexFile_, next_), ec))
            ++next_;
        return next_++;
    }

  private:
    std::string indexFile_;
    int next_;
};

std::string UniqueOf(const std::string& name) {
    return name.substr(0, name.find(':'));
}

class Journal {
  public:
    explicit Journal(std::string path) : path_(std::move(path)) {
        if (const auto bytes = StandInStore::ReadFile(path_)) {
            std::istringstream in(*bytes);
            std::string line;
            while (std::getline(in, line)) {
                const std::size_t tab = line.find('\t');
                if (tab == 4 && line.find_first_not_of("0123456789") == 4)
                    numbers_[line.substr(tab + 1)] = std::stoi(line.substr(0, 4));
            }
        }
    }
    const int* Find(const std::string& unique) const {
        const auto it = numbers_.find(unique);
        return it == numbers_.end() ? nullptr : &it->second;
    }
    bool Add(int n, const std::string& unique, std::string& error) {
        char num[16];
        std::snprintf(num, sizeof num, "%04d", n);
        const std::string line = std::string(num) + "\t" + unique + "\n";
        const int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
        bool ok = fd >= 0 &&
                  ::write(fd, line.data(), line.size()) == static_cast<ssize_t>(line.size()) &&
                  ::fsync(fd) == 0;
        if (fd >= 0)
            ok = ::close(fd) == 0 && ok;
        if (!ok)
            error = "cannot write " + path_;
        else
            numbers_[unique] = n;
        return ok;
    }
    void Clear() {
        std::remove(path_.c_str());
        numbers_.clear();
    }

  private:
    std::string path_;
    std::map<std::string, int> numbers_;
};

}  // namespace

std::string SeenName(const std::string& newName) {
    const std::size_t info = newName.find(":2,");
    std::string flags = info == std::string::npos ? "" : newName.substr(info + 3);
    if (flags.find('S') == std::string::npos)
        flags += 'S';
    std::sort(flags.begin(), flags.end());
    return UniqueOf(newName) + ":2," + flags;
}

namespace {

// One receiver at a time per mail home (a running stand-in and a --receive from cron).
class HomeLock {
  public:
    explicit HomeLock(const std::string& home)
        : fd_(::open((home + "/receive.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
        if (fd_ >= 0)
            ::flock(fd_, LOCK_EX);
    }
    ~HomeLock() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    HomeLock(const HomeLock&) = delete;
    HomeLock& operator=(const HomeLock&) = delete;

  private:
    int fd_;
};

}  // namespace

ReceiveReport ReceiveMaildir(const StandInStore& store, const std::string& maildir) {
    ReceiveReport report;
    const HomeLock lock(store.Home());
    const std::string indexFile = InboxIndex(store);
    std::error_code ec;
    fs::create_directories(StandInStore::DirectoryOfIndex(indexFile), ec);
    fs::create_directories(maildir + "/cur", ec);
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(maildir + "/new", ec)) {
        const std::string name = e.path().filename().string();
        if (e.is_regular_file() && !name.starts_with("."))
            names.push_back(name);
    }
    if (ec) {
        report.errors.push_back("cannot read " + maildir + "/new: " + ec.message());
        return report;
    }
    std::sort(names.begin(), names.end());
    Journal journal(store.Home() + "/receive.journal");
    FreeNumbers numbers(indexFile);
    for (const auto& name : names) {
        const std::string from = maildir + "/new/" + name;
        const auto raw = StandInStore::ReadFile(from);
        if (!raw) {
            report.errors.push_back("cannot read " + from);
            continue;
        }
        const std::string bytes = ReceivedMail(*raw);
        const std::string unique = UniqueOf(name);
        std::string error;
        bool stored = false;
        if (const int* n = journal.Find(unique)) {
            const auto there = StandInStore::ReadFile(StandInStore::MailPath(indexFile, *n));
            if (there && AfterFirstLine(*there) == AfterFirstLine(bytes)) {
                if (!StoreAt(indexFile, *n, bytes, false, error)) {
                    report.errors.push_back(error);
                    continue;
                }
                stored = true;
            }
        }
        if (!stored) {
            const int n = numbers.Take();
            if (n > 9999) {
                report.errors.push_back("folder full: " + indexFile);
                break;
            }
            if (!journal.Add(n, unique, error) || !StoreAt(indexFile, n, bytes, true, error)) {
                report.errors.push_back(error);
                continue;
            }
            report.stored.push_back(StandInStore::MailPath(indexFile, n));
        }
        if (std::rename(from.c_str(), (maildir + "/cur/" + SeenName(name)).c_str()) != 0)
            report.errors.push_back("cannot move " + from + " to cur/");
    }
    if (report.errors.empty())
        journal.Clear();
    return report;
}

ReceiveReport ImportSources(const StandInStore& store, const std::vector<std::string>& sources) {
    ReceiveReport report;
    const std::string indexFile = InboxIndex(store);
    std::error_code ec;
    fs::create_directories(StandInStore::DirectoryOfIndex(indexFile), ec);
    FreeNumbers numbers(indexFile);
    for (const auto& source : sources) {
        std::vector<std::string> messages;
        std::string error;
        if (!ReadSource(source, messages, error)) {
            report.errors.push_back(error);
            continue;
        }
        for (const auto& raw : messages) {
            const int n = numbers.Take();
            if (n > 9999) {
                report.errors.push_back("folder full: " + indexFile);
                return report;
            }
            if (!StoreAt(indexFile, n, ReceivedMail(raw), true, error)) {
                report.errors.push_back(error);
                return report;
            }
            report.stored.push_back(StandInStore::MailPath(indexFile, n));
        }
    }
    return report;
}

}  // namespace pelkmail
