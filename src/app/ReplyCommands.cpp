// The reply-side commands: reply to the sender or to all (the status line tells the
// mailer which, and the deferred reply sequence asks for the draft), reply later, the
// reply-status entries, forward and the address book.
#include <filesystem>

#include "app/EditorParagraphs.h"
#include "app/TForm1.h"
#include "editor/ReplaceFile.h"
#include "mail/MailNames.h"
#include "mail/ReplyStatus.h"
#include "text/Sjis.h"

namespace varnel::app {

namespace {

constexpr text::Message kBccReply{"You are responding to a \"Bcc:\" mail.",
                                  "Bcc:で受信したメールに返信しようとしています"};
constexpr text::Message kChangedToRead{"Change X-Status to READ", "Change X-Status to READ"};
constexpr text::Message kCannotWriteStatus{"The status of %s could not be written.",
                                           "%s の状態を書き込めませんでした。"};
constexpr text::Message kNoAddressBook{"The address book %s cannot be opened.",
                                       "アドレス帳 %s を開けません"};

}  // namespace

// Writes statusLine over the shown mail's status line, in the file and, when the editor
// shows it, there too (an unmodified text stays unmodified).
void TForm1::WriteShownStatus(const std::string& statusLine) {
    WritePendingMarkRead();  // read back below
    if (!mail::IsMailFile(CurrentMailFile))
        return;
    std::string bytes, error;
    if (!editor::ReplaceFileRead(CurrentMailFile, bytes, error))
        return;
    const auto changed = mail::WithStatusLine(bytes, statusLine);
    if (!changed)
        return;
    if (!editor::ReplaceFileWrite(CurrentMailFile, *changed, error)) {
        io_.prompter.Tell(
            kCannotWriteStatus.Format(settings_.view.EnglishMenu, CurrentMailFile) + "\n" + error,
            platform::Severity::Warning);
        return;
    }
    editor::TSonEdit2& e = sonEdit1_;
    if (e.Lines().Count() > 0 && e.Lines().Get(0).starts_with(mail::kStatusPrefix)) {
        const bool wasModified = e.Modified();
        const bool wasReadOnly = e.ReadOnly;
        const int x = e.CaretX(), y = e.CaretY();
        e.ReadOnly = false;
        ReplaceParagraphs(e, 0, 0, {statusLine});
        e.ReadOnly = wasReadOnly;
        e.SetModified(wasModified);
        e.MoveCaretTo(x, y);
    }
}

// The reply is asked for through the deferred sequence: the focus command on the next
// tick, the reply and its update on the tick after, and some ticks later (when the
// mailer has read the status and written the draft) the mail back to READ.
void TForm1::RequestReply() {
    if (!mail::IsMailFile(CurrentMailFile))
        return;
    deferred_.DeferredStep = 1;
    io_.Timer1.SetEnabled(true);
}

void TForm1::Reply1Click() {
    WriteShownStatus("X-Status: SNDR");
    RequestReply();
}

void TForm1::ReplyAllClick() {
    WriteShownStatus("X-Status: READ");
    if (mail::IsMailFile(CurrentMailFile) && !AddressedToMe && !settings_.view.MyAddresses.empty())
        io_.prompter.Tell(Say(kBccReply), platform::Severity::Warning);
    RequestReply();
}

void TForm1::ReplyStatusClick(int entry) {
    const auto& status = settings_.replyStatus.Status;
    int k = 0;
    for (const std::string& s : status) {
        if (s.empty())
            continue;
        if (k++ == entry) {
            WriteShownStatus(std::string(mail::kStatusPrefix) + s);
            RequestReply();
            return;
        }
    }
}

void TForm1::ReplyLater1Click() {
    if (!mail::IsMailFile(CurrentMailFile))
        return;
    if (RepliedFlag) {
        WriteShownStatus("X-Status: READ");
        io_.prompter.Tell(Say(kChangedToRead));
    } else {
        WriteShownStatus("X-Status: RPLY");
    }
    RepliedFlag = !RepliedFlag;
    SendUpdateCommand();
}

void TForm1::Forward1Click() {
    mailer_.Forward(CurrentMailFile);
}

// The address to add is the selection, or the shown mail's From. An address book that
// listens takes it at once; otherwise the address-book program next to the mailer is
// started and the deferred step sends it once it listens; without that program the
// address-book file is opened for editing.
void TForm1::Addressbook1Click() {
    editor::TSonEdit2& e = sonEdit1_;
    std::string text = e.HasSelection() ? e.GetSelText() : std::string();
    if (text.empty()) {
        for (const std::string& p : EditorParagraphs(e)) {
            if (p.starts_with("From:")) {
                text = p.size() > 6 ? p.substr(6) : std::string();
                break;
            }
        }
    }
    text = std::string(text::TrimLineEnds(text));
    if (text.empty())
        return;
    text = mail::AddressBookEntry(text);
    if (mailer_.Append(text, link::Urgency::Quiet) == platform::Delivery::Delivered) {
        if (settings_.view.NextMailMode == 2)
            driver_.ConnectCompanion(CurrentMailFile, settings_.location.Pilvo1Exe, io_.launcher);
        return;
    }
    const std::string& aliasFile = settings_.mailer.AliasFile;
    const std::filesystem::path program =
        std::filesystem::path(settings_.mailer.MailerExe).parent_path() / "alias";
    std::error_code ec;
    std::string error;
    if (!settings_.mailer.MailerExe.empty() && std::filesystem::is_regular_file(program, ec) &&
        io_.launcher.Start({program.string(), aliasFile}, error)) {
        deferred_.AddressBookText = text;
        deferred_.AddressBookPending = true;
        deferred_.AddressBookTries = 0;
        io_.Timer1.SetEnabled(true);
        return;
    }
    if (aliasFile.empty() || !CanLeaveCurrent())
        return;
    std::string bytes;
    if (!editor::ReplaceFileRead(aliasFile, bytes, error)) {
        io_.prompter.Tell(kNoAddressBook.Format(settings_.view.EnglishMenu, aliasFile),
                          platform::Severity::Warning);
        return;
    }
    CurrentMailFile = aliasFile;
    ShowText(bytes, true);
    io_.view.SetTitle("Varnel32 - " + aliasFile);
}

}  // namespace varnel::app
