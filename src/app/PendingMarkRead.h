// The mark-read rewrite of an opened mail, held back so that the first paint does not wait
// for a whole file to be written.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "mail/MarkRead.h"

namespace varnel::app {

// What identifies a file's contents cheaply: its size and modification time.
struct FileStamp {
    std::uintmax_t size = 0;
    std::int64_t modified = 0;
    bool operator==(const FileStamp&) const = default;
};

// The stamp of path, nullopt when it cannot be had (missing, no access).
std::optional<FileStamp> StampOf(const std::string& path);

class PendingMarkRead {
  public:
    // Holds the rewrite of path: its bytes as read when it had the stamp `before`, and
    // the header edit that makes the new bytes; update: the mailer is told after the
    // write. Replaces one held before.
    void Hold(std::string path, std::string bytes, mail::MarkReadEdit edit,
              std::optional<FileStamp> before, bool update);
    bool Held() const { return held_.has_value(); }

    struct Outcome {
        std::string path;
        bool update = false;  // the mailer's update that waited for the write
        std::string error;    // a failed write's reason
    };
    // Writes the held bytes atomically and lets go of them. A file that changed or went
    // since it was read (the mailer moved or rewrote it) is left as it is.
    std::optional<Outcome> Write();

  private:
    struct Held_ {
        std::string path, bytes;
        mail::MarkReadEdit edit;
        std::optional<FileStamp> before;
        bool update = false;
    };
    std::optional<Held_> held_;
};

}  // namespace varnel::app
