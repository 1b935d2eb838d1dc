// The packed user-menu entries of the settings.
#include "app/UserMenus.h"

#include <array>

#include "text/Sjis.h"

namespace varnel::app {

std::vector<UserMenuEntry> ReplyStatusEntries(const Settings& s) {
    std::vector<UserMenuEntry> entries;
    for (std::size_t i = 0; i < s.replyStatus.Status.size(); ++i) {
        const std::string& status = s.replyStatus.Status[i];
        if (!status.empty())
            entries.push_back({static_cast<int>(i + 1), status, status, s.key.ReplyWithStatus[i]});
    }
    return entries;
}

namespace {
// The entries whose caption and text are both set, numbered from 1.
template <std::size_t N>
std::vector<UserMenuEntry> Entries(const std::array<std::string, N>& captions,
                                   const std::array<std::string, N>& texts,
                                   const std::array<int, N>& keys) {
    std::vector<UserMenuEntry> entries;
    for (std::size_t i = 0; i < N; ++i) {
        if (!captions[i].empty() && !texts[i].empty())
            entries.push_back({static_cast<int>(i + 1), captions[i], texts[i], keys[i]});
    }
    return entries;
}
}  // namespace

std::vector<UserMenuEntry> UserCommandEntries(const Settings& s) {
    return Entries(s.command.CommandMenu, s.command.Command, s.command.KeyCommand);
}

std::vector<UserMenuEntry> InsertEntries(const Settings& s) {
    return Entries(s.insert.InsertMenu, s.insert.Insert, s.insert.KeyInsert);
}

std::string InsertionText(std::string_view text) {
    return text::ReplaceAll(text, "\\n", "\r\n");
}

}  // namespace varnel::app
