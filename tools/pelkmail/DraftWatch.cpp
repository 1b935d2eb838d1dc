// Watching drafts handed to viewer windows.
#include "DraftWatch.h"

#include <signal.h>
#include <sys/stat.h>

#include <cerrno>

namespace pelkmail {

DraftWatch::Stamp DraftWatch::StampOf(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return {};
    return {static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec,
            static_cast<long long>(st.st_size), st.st_ino};
}

void DraftWatch::HandedToProcess(const std::string& draft, long pid) {
    if (pid > 0)
        drafts_.push_back({draft, StampOf(draft), pid, "", 0});
}

void DraftWatch::HandedToWindow(const std::string& draft, const std::string& socketPath) {
    struct stat st {};
    if (::stat(socketPath.c_str(), &st) == 0)
        drafts_.push_back({draft, StampOf(draft), 0, socketPath, st.st_ino});
}

bool DraftWatch::WindowClosed(const Draft& d) const {
    if (d.pid > 0)
        return ::kill(static_cast<pid_t>(d.pid), 0) != 0 && errno == ESRCH;
    // A window that took the draft by request owned the socket; it removes it on closing.
    struct stat st {};
    return ::stat(d.socket.c_str(), &st) != 0 || st.st_ino != d.socketInode;
}

std::vector<std::string> DraftWatch::Finished() {
    std::vector<std::string> done;
    std::erase_if(drafts_, [&](const Draft& d) {
        // The window first, then the file: a window that writes and closes in between
        // is then seen with its write.
        if (!WindowClosed(d))
            return StampOf(d.path).size < 0;  // a draft that is gone is forgotten
        const Stamp now = StampOf(d.path);
        if (now.size < 0)
            return true;
        if (!(now == d.stamp))
            done.push_back(d.path);
        return true;
    });
    return done;
}

}  // namespace pelkmail
