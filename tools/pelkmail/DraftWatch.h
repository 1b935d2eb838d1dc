// Which drafts handed to a viewer window have come back finished: the file was written
// after it was handed over, and the window that had it has closed since (Send Mail
// writes the draft back and closes the window; Save leaves it open).
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace pelkmail {

class DraftWatch {
  public:
    // The draft went to a viewer started for it (pid <= 0: none started).
    void HandedToProcess(const std::string& draft, long pid);
    // The draft went by open request to the viewer listening on socketPath.
    void HandedToWindow(const std::string& draft, const std::string& socketPath);
    // Drafts now finished, each reported once. A draft whose window closed without
    // writing it, or that is gone, is forgotten.
    std::vector<std::string> Finished();

    std::size_t Watched() const { return drafts_.size(); }

  private:
    struct Stamp {
        long long mtimeNs = -1;
        long long size = -1;
        ino_t inode = 0;
        bool operator==(const Stamp&) const = default;
    };
    struct Draft {
        std::string path;
        Stamp stamp;
        long pid = 0;
        std::string socket;
        ino_t socketInode = 0;
    };
    static Stamp StampOf(const std::string& path);
    bool WindowClosed(const Draft& d) const;

    std::vector<Draft> drafts_;
};

}  // namespace pelkmail
