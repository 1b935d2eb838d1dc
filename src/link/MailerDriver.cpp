// The mailer-list commands and the companion link.
#include "link/MailerDriver.h"

#include <array>

#include "text/CommandSplit.h"
#include "text/Cp932.h"
#include "text/Message.h"

namespace varnel::link {

namespace {

constexpr std::array<MailerStep, 12> kSteps{{
    {"Next2Click", "{DOWN}{ENTER}", "", "Next", 1, false},
    {"Prev2Click", "{UP}{ENTER}", "", "Prev", -1, false},
    {"Top1Click", "{HOME}{ENTER}", "", "First", 0, false},
    {"End1Click", "{END}{ENTER}", "", "Last", 0, false},
    {"Thread1Click", "", "%(F)T", "", 0, true},
    {"CloseThread1Click", "%( )C", "", "", 0, true},
    {"Find2Click", "", "%(F)F^V", "", 0, false},
    {"NextFolder1Click", "", "%(F)E{ENTER}", "", 0, true},
    {"PreviousFolder1Click", "", "%(F)P{ENTER}", "", 0, true},
    {"FolderEnd", "", "%FE{ENTER}", "NextRecv", 1, false},
    {"Nextnew2Click", "", "", "NextRecv", 2, false},
    {"PrevNew2Click", "", "", "PrevRecv", -2, false},
}};

constexpr text::Message kNoMailerWindow{
    "The mailer's window was not found, so the keys %s were not sent.",
    "メーラーのウィンドウが見つからないため、キー %s を送りませんでした。"};
constexpr text::Message kCompanionNotStarted{"The search companion could not be started: %s",
                                             "検索プログラムを起動できませんでした: %s"};

}  // namespace

const MailerStep& StepFor(MailerCommand command) {
    return kSteps[static_cast<std::size_t>(command)];
}

std::optional<std::string> MailerDriver::StepThroughMailer(std::string_view listKeys,
                                                           std::string_view mainKeys,
                                                           std::string_view view) {
    if (!listKeys.empty()) {
        if (auto w = windows_.FindByTitle(std::string(kMailerThreadTitle));
            w && windows_.BringToFront(*w))
            return std::string(listKeys);
    }
    std::optional<std::string> queued;
    if (!mainKeys.empty()) {
        if (auto w = windows_.FindByClass(std::string(kMailerMainClass));
            w && windows_.BringToFront(*w))
            queued = std::string(mainKeys);
    }
    if (!view.empty()) {
        link_.View(view);  // reports itself when it is not delivered
    } else if (!queued) {
        const std::string_view keys = mainKeys.empty() ? listKeys : mainKeys;
        prompter_.Tell(kNoMailerWindow.Format(englishMenu_, keys), platform::Severity::Warning);
    }
    return queued;
}

std::optional<std::string> MailerDriver::Run(MailerCommand command) {
    const MailerStep& s = StepFor(command);
    return StepThroughMailer(s.listKeys, s.mainKeys, s.view);
}

bool MailerDriver::ConnectCompanion(const std::string& currentMailFile,
                                    const std::string& pilvo1Exe, platform::Launcher& launcher) {
    if (windows_.FindByClass(std::string(kCompanionClass))) {
        link_.CompanionFocus(currentMailFile);
        return true;
    }
    // The setting is a command line: the program and its own arguments, split once by
    // shell-like quoting; the mail comes last.
    std::string error;
    std::vector<std::string> argv;
    if (pilvo1Exe.empty())
        error = "Pilvo1Exe";
    else if (text::SplitCommand(pilvo1Exe, argv, &error) && argv.empty())
        error = "Pilvo1Exe";
    if (error.empty()) {
        for (std::string& word : argv)
            word = text::Cp932ToUtf8(word);
        if (!currentMailFile.empty())
            argv.push_back(currentMailFile);
        if (launcher.Start(argv, error))
            return true;
    }
    prompter_.Tell(kCompanionNotStarted.Format(englishMenu_, error), platform::Severity::Warning);
    return false;
}

}  // namespace varnel::link
