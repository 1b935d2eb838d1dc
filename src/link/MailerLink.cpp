// Sending the mailer's commands and reporting what did not arrive.
#include "link/MailerLink.h"

#include "text/Message.h"

namespace varnel::link {

using platform::Delivery;

namespace {

constexpr text::Message kFieldRefused{
    "The command %s was not sent: the mail's path holds a character that the mailer's "
    "commands cannot carry (a comma, a bracket, a parenthesis, a double quote or a line "
    "break).",
    "コマンド %s は送りませんでした。メールのパスに、メーラーへのコマンドに入れられない文字"
    "（カンマ、括弧、二重引用符、改行）が含まれています。"};
constexpr text::Message kMailerNotTold{
    "The mailer cannot be told about %s: its path holds a character that the mailer's "
    "commands cannot carry (a comma, a bracket, a parenthesis or a double quote). The mail "
    "is read here, but the mailer may still list it as unread. Rename the folder to let "
    "Varnel tell the mailer.",
    "%s についてメーラーに伝えられません。パスに、メーラーへのコマンドに入れられない文字"
    "（カンマ、括弧、二重引用符）が含まれています。ここでは既読になりましたが、メーラーでは"
    "未読のままのことがあります。フォルダの名前を変えると伝えられるようになります。"};
constexpr text::Message kMailerNotRunning{"The mailer is not running: %s was not delivered.",
                                          "メーラーが起動していないため、%s を送れませんでした。"};
constexpr text::Message kCompanionNotRunning{
    "The search companion is not running: %s was not delivered.",
    "検索プログラムが起動していないため、%s を送れませんでした。"};
constexpr text::Message kAddressBookNotRunning{
    "The address book is not running: %s was not delivered.",
    "アドレス帳が起動していないため、%s を送れませんでした。"};
constexpr text::Message kRefused{"%s was not accepted (no answer, or the answer was no).",
                                 "%s は受け付けられませんでした（応答がないか、拒否されました）。"};

}  // namespace

Delivery MailerLink::Send(Target target, const std::optional<std::string>& macro,
                          std::string_view what, Urgency urgency) {
    Delivery d = Delivery::Invalid;
    if (macro) {
        switch (target) {
            case Target::Mailer:
                d = channel_.Execute("Pelk", "Command", *macro);
                break;
            case Target::Companion:
                d = channel_.Execute("Pilvo1", "Command", *macro);
                break;
            case Target::AddressBook:
                d = channel_.Execute("Alias", "system", *macro);
                break;
        }
    }
    if (d != Delivery::Delivered && urgency == Urgency::Visible)
        Report(target, d, macro ? std::string_view(*macro) : what);
    return d;
}

void MailerLink::Report(Target target, Delivery d, std::string_view what) {
    const text::Message* m = &kRefused;
    if (d == Delivery::Invalid) {
        m = &kFieldRefused;
    } else if (d == Delivery::NoServer) {
        m = target == Target::Mailer      ? &kMailerNotRunning
            : target == Target::Companion ? &kCompanionNotRunning
                                          : &kAddressBookNotRunning;
    }
    prompter_.Tell(m->Format(englishMenu_, what), platform::Severity::Warning);
}

Delivery MailerLink::SendToMailer(const std::optional<std::string>& macro, Urgency urgency) {
    return Send(Target::Mailer, macro, "(?)", urgency);
}

Delivery MailerLink::SendToCompanion(const std::optional<std::string>& macro, Urgency urgency) {
    return Send(Target::Companion, macro, "(?)", urgency);
}

Delivery MailerLink::SendQuiet(Target target, const std::optional<std::string>& macro,
                               std::string_view what, std::string_view mailFile) {
    if (!macro && untoldMails_.insert(std::string(mailFile)).second)
        prompter_.Tell(kMailerNotTold.Format(englishMenu_, mailFile), platform::Severity::Warning);
    return Send(target, macro, what, Urgency::Quiet);
}

std::optional<Delivery> MailerLink::Focus(std::string_view mailFile) {
    const auto m = MailRefOf(mailFile);
    if (!m)
        return std::nullopt;
    return SendQuiet(Target::Mailer, FocusMacro(*m), "Focus", mailFile);
}

std::optional<Delivery> MailerLink::Update(std::string_view mailFile) {
    const auto m = MailRefOf(mailFile);
    if (!m)
        return std::nullopt;
    return SendQuiet(Target::Mailer, UpdateMacro(*m), "Update", mailFile);
}

std::optional<Delivery> MailerLink::Reply(std::string_view mailFile) {
    const auto m = MailRefOf(mailFile);
    if (!m)
        return std::nullopt;
    const Delivery d = Send(Target::Mailer, ReplyMacro(*m), "Reply", Urgency::Visible);
    SendQuiet(Target::Mailer, UpdateMacro(*m), "Update", mailFile);
    return d;
}

std::optional<Delivery> MailerLink::Forward(std::string_view mailFile) {
    const auto m = MailRefOf(mailFile);
    if (!m)
        return std::nullopt;
    return Send(Target::Mailer, ForwardMacro(*m), "Forward", Urgency::Visible);
}

std::optional<Delivery> MailerLink::Realize(std::string_view mailFile, std::string_view dir) {
    const auto m = MailRefOf(mailFile);
    if (!m)
        return std::nullopt;
    return Send(Target::Mailer, RealizeMacro(*m, dir), "Realize", Urgency::Visible);
}

std::optional<Delivery> MailerLink::FolderCommand(std::string_view kind, std::string_view target,
                                                  std::string_view mailFile) {
    const auto m = MailRefOf(mailFile);
    if (!m)
        return std::nullopt;
    const bool move = kind != "Copy";
    return Send(Target::Mailer, FolderMacro(move, target, *m), move ? "Move" : "Copy",
                Urgency::Visible);
}

std::optional<Delivery> MailerLink::CompanionFocus(std::string_view mailFile) {
    const auto m = MailRefOf(mailFile);
    if (!m)
        return std::nullopt;
    return SendQuiet(Target::Companion, CompanionFocusMacro(*m), "Focus", mailFile);
}

Delivery MailerLink::Receive() {
    return Send(Target::Mailer, ReceiveMacro(), "Receive", Urgency::Visible);
}

Delivery MailerLink::View(std::string_view what) {
    return Send(Target::Mailer, ViewMacro(what), "View", Urgency::Visible);
}

Delivery MailerLink::CompanionView(std::string_view what) {
    return Send(Target::Companion, ViewMacro(what), "View", Urgency::Visible);
}

Delivery MailerLink::Append(std::string_view text, Urgency urgency) {
    return Send(Target::AddressBook, AppendMacro(text), "Append", urgency);
}

}  // namespace varnel::link
