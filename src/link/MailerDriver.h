// Driving the mailer's windows: the mailer-list and folder commands that type into
// its thread or main window, with a view command where the mailer has one.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "link/MailerLink.h"
#include "platform/Launcher.h"
#include "platform/Prompter.h"
#include "platform/WindowDirectory.h"

namespace varnel::link {

inline constexpr std::string_view kMailerMainClass = "PeLk:MaIn";
inline constexpr std::string_view kMailerThreadTitle = "スレッドの表示";  // UTF-8 title
inline constexpr std::string_view kCompanionClass = "TfrmPILVO1Main";

// One row of the mailer-list command table.
struct MailerStep {
    std::string_view name;      // handler name, e.g. "Next2Click"
    std::string_view listKeys;  // for the thread window ("" = none)
    std::string_view mainKeys;  // for the main window ("" = none)
    std::string_view view;      // view argument ("" = none)
    int direction;              // NavigationDirection afterwards, 0 = unchanged
    bool bringBack;             // Timer2: bring Varnel to the front after 800 ms
};

enum class MailerCommand {
    Next2,
    Prev2,
    Top1,
    End1,
    Thread1,
    CloseThread1,
    Find2,
    NextFolder1,
    PreviousFolder1,
    FolderEnd,  // stepping past the folder's last mail with NextFolderAtEnd on
    NextNew,
    PrevNew,
};

const MailerStep& StepFor(MailerCommand command);

class MailerDriver {
  public:
    MailerDriver(platform::WindowDirectory& windows, MailerLink& link, platform::Prompter& prompter,
                 bool englishMenu)
        : windows_(windows), link_(link), prompter_(prompter), englishMenu_(englishMenu) {}

    void SetEnglishMenu(bool on) { englishMenu_ = on; }

    // The keys to queue for the next tick of the deferred-action timer (the caller
    // sets PendingKeys and enables Timer1), or nullopt. The thread window, when it
    // exists and keys are given for it, takes the keys and nothing else happens;
    // otherwise the main window takes its keys and the view command is sent. When
    // neither a window nor a view command can serve, the user is told.
    std::optional<std::string> StepThroughMailer(std::string_view listKeys,
                                                 std::string_view mainKeys, std::string_view view);
    std::optional<std::string> Run(MailerCommand command);

    // The companion link: tells a running companion which mail is shown, or starts it
    // on that mail. False when neither happened (the user has been told).
    bool ConnectCompanion(const std::string& currentMailFile, const std::string& pilvo1Exe,
                          platform::Launcher& launcher);

  private:
    platform::WindowDirectory& windows_;
    MailerLink& link_;
    platform::Prompter& prompter_;
    bool englishMenu_;
};

}  // namespace varnel::link
