// The main window's mailer commands: stepping through the mailer's list, its folder
// and thread-window commands, receive and realize, the companion link, open requests
// from the mailer, folder notices, and the deferred steps that send keys and the
// address-book entry.
#include <filesystem>

#include "app/CommandTable.h"
#include "app/TForm1.h"
#include "editor/ReplaceFile.h"
#include "link/OpenRequest.h"
#include "mail/MailNames.h"

namespace varnel::app {
namespace {

constexpr int kAddressBookWaitTicks = 10;
constexpr std::string_view kStatusPrefix = "X-Status: ";
constexpr text::Message kCannotWriteStatus{"The status of %s could not be written.",
                                           "%s の状態を書き込めませんでした。"};

std::string WithoutTrailingSlash(std::string dir) {
    while (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    return dir;
}

}  // namespace

void TForm1::QueueKeys(const std::string& keys) {
    deferred_.PendingKeysText = keys;
    deferred_.PendingKeys = true;
    io_.Timer1.SetEnabled(true);
}

void TForm1::RunMailerStep(link::MailerCommand command) {
    const link::MailerStep& step = link::StepFor(command);
    if (step.direction != 0)
        NavigationDirection = step.direction;
    if (const auto keys = driver_.Run(command))
        QueueKeys(*keys);
    if (step.bringBack)
        io_.Timer2.SetEnabled(true);
}

void TForm1::Next2Click() {
    RunMailerStep(link::MailerCommand::Next2);
}
void TForm1::Prev2Click() {
    RunMailerStep(link::MailerCommand::Prev2);
}
void TForm1::Top1Click() {
    RunMailerStep(link::MailerCommand::Top1);
}
void TForm1::End1Click() {
    RunMailerStep(link::MailerCommand::End1);
}
void TForm1::Thread1Click() {
    RunMailerStep(link::MailerCommand::Thread1);
}
void TForm1::CloseThread1Click() {
    RunMailerStep(link::MailerCommand::CloseThread1);
}
void TForm1::Find2Click() {
    // Seam: the editor's selection goes to the clipboard first, for the mailer's find
    // dialog to paste (Ctrl+V in the keys).
    RunMailerStep(link::MailerCommand::Find2);
}
void TForm1::NextFolder1Click() {
    RunMailerStep(link::MailerCommand::NextFolder1);
}
void TForm1::PreviousFolder1Click() {
    RunMailerStep(link::MailerCommand::PreviousFolder1);
}
void TForm1::StepToNextFolder() {
    RunMailerStep(link::MailerCommand::FolderEnd);
}

void TForm1::Receive1Click() {
    mailer_.Receive();
}

void TForm1::Focus1Click() {
    SendUpdateCommand();  // the focus command follows on the next tick
}

// Restores the shown mail's attachments into DecodeDir, or the desktop directory (which
// then becomes DecodeDir for the rest of the run), and shows that directory when it is
// not the desktop.
void TForm1::Realize1Click() {
    if (!mail::IsMailFile(CurrentMailFile))
        return;
    const std::string home = setup_.env ? setup_.env("HOME") : std::string();
    std::string desktop = setup_.env ? DesktopDirectory(setup_.env) : std::string();
    std::error_code ec;
    if (!desktop.empty() && !std::filesystem::is_directory(desktop, ec))
        desktop = home;
    std::string dir = WithoutTrailingSlash(settings_.location.DecodeDir);
    if (dir.empty())
        dir = desktop;
    settings_.location.DecodeDir = dir;
    const auto d = mailer_.Realize(CurrentMailFile, dir);
    if (d == platform::Delivery::Delivered && !dir.empty() && dir != desktop) {
        std::string error;
        if (!io_.launcher.OpenWithDesktop(dir + "/", error))
            io_.prompter.Tell(error, platform::Severity::Warning);
    }
}

// The companion's stepping mode holds only when the companion could be reached; the
// marks are set again either way, since the menu item has already flipped its own.
void TForm1::Pilvo1Search1Click() {
    if (driver_.ConnectCompanion(CurrentMailFile, settings_.location.Pilvo1Exe, io_.launcher))
        settings_.view.NextMailMode = 2;
    ShowSteppingMode();
}

platform::ExecuteResult TForm1::OnServerExecute(const std::string& macro) {
    // A window command runs through the command table, after the answer has gone back.
    if (const auto name = link::ParseCommandRequest(macro)) {
        if (!FindCommand(*name))
            return {false, {}};
        return {true, [this, command = *name] { RunCommand(*this, command); }};
    }
    auto path = link::ParseOpenRequest(macro, OpenPrefix);
    if (!path)
        return {false, {}};
    pendingOpen_ = std::move(*path);
    return {true, [this] { ServePendingOpen(); }};
}

void TForm1::ServePendingOpen() {
    if (servingOpen_)
        return;
    servingOpen_ = true;
    while (pendingOpen_) {
        const std::string path = std::move(*pendingOpen_);
        pendingOpen_.reset();
        DdeOpenMail(path);
    }
    servingOpen_ = false;
}

void TForm1::DdeOpenMail(const std::string& path) {
    if (OpenRequested) {
        OpenRequested = false;  // the view request already had the user's consent
    } else if (!CanLeaveCurrent()) {
        return;
    }
    OpenMailFile(path);
    RecordInHistory();
}

void TForm1::QueueFolderNotice(const std::string& kind, const std::string& mailFile,
                               const std::string& target) {
    deferred_.QueueFolderNotice(FolderNotice{kind, mailFile, target});
    io_.Timer1.SetEnabled(true);
}

// Sends the command for PendingFocusFile. A notice that cannot be sent (its mail is
// gone, a field cannot be carried, the mailer does not take it) is dropped, with a
// message where one is due, so that it does not stand in front of the focus command.
void TForm1::SendFolderCommand() {
    const std::string file = deferred_.PendingFocusFile;
    const std::string target =
        deferred_.PendingFolderTarget.empty() ? TrashCanFile : deferred_.PendingFolderTarget;
    std::error_code ec;
    std::optional<platform::Delivery> d;
    if (std::filesystem::is_regular_file(file, ec))
        d = mailer_.FolderCommand(deferred_.PendingMoveKind, target, file);
    if (d == platform::Delivery::Delivered) {
        deferred_.PendingFocusFile = std::string(kNeedsUpdate);
    } else {
        deferred_.PendingFocusFile.clear();
        deferred_.PromoteWaitingNotice();
    }
    io_.Timer1.SetEnabled(true);
}

void TForm1::SendFolderCommandFor(const std::string&) {
    SendFolderCommand();
}

// Last step of the deferred reply: the replied mail is read. Only a status line that is
// there is changed; a mail without one is left as it is.
void TForm1::MarkShownMailRead() {
    WritePendingMarkRead();  // read back below
    if (!mail::IsMailFile(CurrentMailFile))
        return;
    std::string bytes, error;
    if (!editor::ReplaceFileRead(CurrentMailFile, bytes, error) ||
        !bytes.starts_with(kStatusPrefix) || bytes.size() < kStatusPrefix.size() + 4)
        return;
    if (bytes.compare(kStatusPrefix.size(), 4, "READ") == 0)
        return;
    bytes.replace(kStatusPrefix.size(), 4, "READ");
    if (!editor::ReplaceFileWrite(CurrentMailFile, bytes, error)) {
        io_.prompter.Tell(
            kCannotWriteStatus.Format(settings_.view.EnglishMenu, CurrentMailFile) + "\n" + error,
            platform::Severity::Warning);
    }
}

void TForm1::SendPendingKeys(const std::string& keys) {
    keySender_.SendKeys(keys, true);
}

// Sends the address-book entry. An address book that was just started may not listen
// yet: a few ticks are waited for it before the failure is shown.
void TForm1::RunAddressBookStep() {
    const bool lastTry = deferred_.AddressBookTries + 1 >= kAddressBookWaitTicks;
    const auto d = mailer_.Append(deferred_.AddressBookText,
                                  lastTry ? link::Urgency::Visible : link::Urgency::Quiet);
    if (d == platform::Delivery::NoServer && ++deferred_.AddressBookTries < kAddressBookWaitTicks) {
        io_.Timer1.SetEnabled(true);
        return;
    }
    deferred_.AddressBookPending = false;
    deferred_.AddressBookTries = 0;
    deferred_.AddressBookText.clear();
    if (settings_.view.NextMailMode == 2)
        driver_.ConnectCompanion(CurrentMailFile, settings_.location.Pilvo1Exe, io_.launcher);
}

}  // namespace varnel::app
