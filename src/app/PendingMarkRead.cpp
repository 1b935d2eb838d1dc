// The held mark-read rewrite.
#include "app/PendingMarkRead.h"

#include <filesystem>

#include "editor/ReplaceFile.h"

namespace varnel::app {

std::optional<FileStamp> StampOf(const std::string& path) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec)
        return std::nullopt;
    const auto modified = std::filesystem::last_write_time(path, ec);
    if (ec)
        return std::nullopt;
    return FileStamp{size, static_cast<std::int64_t>(modified.time_since_epoch().count())};
}

void PendingMarkRead::Hold(std::string path, std::string bytes, mail::MarkReadEdit edit,
                           std::optional<FileStamp> before, bool update) {
    held_ = Held_{std::move(path), std::move(bytes), std::move(edit), before, update};
}

std::optional<PendingMarkRead::Outcome> PendingMarkRead::Write() {
    if (!held_)
        return std::nullopt;
    Held_ h = std::move(*held_);
    held_.reset();
    Outcome o{h.path, h.update, {}};
    if (h.before && StampOf(h.path) == h.before) {
        std::string bytes = h.edit.Apply(h.bytes);
        h.bytes = std::string();  // one copy of a large mail at a time
        editor::ReplaceFileWrite(h.path, bytes, o.error);
    }
    return o;
}

}  // namespace varnel::app
