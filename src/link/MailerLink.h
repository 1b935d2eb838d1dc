// The commands Varnel sends to the mailer, its companion and the address book, with
// each outcome reported where the user expects an effect.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "link/MailerMacros.h"
#include "platform/CommandChannel.h"
#include "platform/Prompter.h"

namespace varnel::link {

// Whether a command that is not delivered is worth telling the user about.
enum class Urgency {
    Quiet,    // Focus and Update: sent again on the next occasion anyway
    Visible,  // Move, Copy, Reply, Forward, View, ...: the user waits for an effect
};

class MailerLink {
  public:
    MailerLink(platform::CommandChannel& channel, platform::Prompter& prompter, bool englishMenu)
        : channel_(channel), prompter_(prompter), englishMenu_(englishMenu) {}

    void SetEnglishMenu(bool on) { englishMenu_ = on; }

    // Executes macro on the mailer ("Pelk"/"Command"). A nullopt macro is one whose
    // builder refused a field; it is never sent. Visible commands that are refused or
    // not delivered are reported through the prompter.
    platform::Delivery SendToMailer(const std::optional<std::string>& macro, Urgency urgency);
    // Executes macro on the companion ("Pilvo1"/"Command").
    platform::Delivery SendToCompanion(const std::optional<std::string>& macro, Urgency urgency);

    // The commands about a shown file. A file that is not a mailer mail file sends
    // nothing and reports nothing (nullopt).
    std::optional<platform::Delivery> Focus(std::string_view mailFile);
    std::optional<platform::Delivery> Update(std::string_view mailFile);
    // The reply command, then the update command for the same mail.
    std::optional<platform::Delivery> Reply(std::string_view mailFile);
    std::optional<platform::Delivery> Forward(std::string_view mailFile);
    std::optional<platform::Delivery> Realize(std::string_view mailFile, std::string_view dir);
    // kind "Move" or "Copy"; target the destination folder index file.
    std::optional<platform::Delivery> FolderCommand(std::string_view kind, std::string_view target,
                                                    std::string_view mailFile);
    std::optional<platform::Delivery> CompanionFocus(std::string_view mailFile);
    platform::Delivery Receive();
    platform::Delivery View(std::string_view what);
    platform::Delivery CompanionView(std::string_view what);
    // The address book's Append, on "Alias"/"system". Quiet while a just-started
    // address book may not listen yet.
    platform::Delivery Append(std::string_view text, Urgency urgency = Urgency::Visible);

  private:
    enum class Target { Mailer, Companion, AddressBook };
    platform::Delivery Send(Target target, const std::optional<std::string>& macro,
                            std::string_view what, Urgency urgency);
    void Report(Target target, platform::Delivery d, std::string_view what);
    // The quiet commands stay quiet, except that a mail whose path no command can carry
    // is reported once: the mailer never learns of it.
    platform::Delivery SendQuiet(Target target, const std::optional<std::string>& macro,
                                 std::string_view what, std::string_view mailFile);

    platform::CommandChannel& channel_;
    platform::Prompter& prompter_;
    bool englishMenu_;
    std::set<std::string, std::less<>> untoldMails_;
};

}  // namespace varnel::link
