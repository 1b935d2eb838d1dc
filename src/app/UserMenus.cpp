// The packed user-menu entries of the settings.
#include "app/UserMenus.h"

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

std::vector<UserMenuEntry> UserCommandEntries(const Settings& s) {
    const CommandSettings& c = s.command;
    std::vector<UserMenuEntry> entries;
    for (std::size_t i = 0; i < c.Command.size(); ++i) {
        if (!c.CommandMenu[i].empty() && !c.Command[i].empty())
            entries.push_back(
                {static_cast<int>(i + 1), c.CommandMenu[i], c.Command[i], c.KeyCommand[i]});
    }
    return entries;
}

std::vector<UserMenuEntry> InsertEntries(const Settings& s) {
    const InsertSettings& in = s.insert;
    std::vector<UserMenuEntry> entries;
    for (std::size_t i = 0; i < in.Insert.size(); ++i) {
        if (!in.InsertMenu[i].empty() && !in.Insert[i].empty())
            entries.push_back(
                {static_cast<int>(i + 1), in.InsertMenu[i], in.Insert[i], in.KeyInsert[i]});
    }
    return entries;
}

std::string InsertionText(std::string_view text) {
    return text::ReplaceAll(text, "\\n", "\r\n");
}

}  // namespace varnel::app
