// The main window's navigation commands: next and previous by the stepping mode, new
// mail, deletion to the trash, the file history, the thread commands, paging that steps
// at the text's ends, and the "To Folder" sorting rules.
#include <filesystem>

#include "app/TForm1.h"
#include "editor/ReplaceFile.h"
#include "mail/MailNames.h"
#include "store/FolderRuleWriter.h"
#include "store/IndexReader.h"
#include "store/StoreNames.h"
#include "text/Cp932.h"
#include "text/Sjis.h"

namespace varnel::app {
namespace {

constexpr text::Message kNoMoreMail{"No more mail.", "おしまいです"};
constexpr text::Message kNoMoreMails{"No more mails.", "おしまいです"};
constexpr text::Message kLastMailInFolder{"Last mail in the folder.", "フォルダ最後のメールです"};
constexpr text::Message kAlreadyAtBase{"Already at the base mail.",
                                       "すでにスレッドの最初にきています"};
constexpr text::Message kNoSuchMails{"No such mails.", "見つかりません"};
constexpr text::Message kNotMailFile{"%s is not a mail of a folder.",
                                     "%s はフォルダのメールではありません"};
constexpr text::Message kIndexDamaged{
    "A folder index file is damaged; only its whole records were read.\n%s",
    "フォルダのインデックスファイルが壊れています。完全なレコードだけを読みました\n%s"};
constexpr text::Message kNoFromAddress{"No FROM address found.", "No FROM address found."};
constexpr text::Message kRuleCaption{"Addtion to Folder.def", "振り分けルールの追加"};
constexpr text::Message kRuleRefused{
    "A sorting rule cannot hold the address or folder \"%s\"; nothing was added.",
    "\"%s\" は振り分けルールに書けません。追加しませんでした"};
constexpr text::Message kRuleNotWritten{"The sorting rule could not be added.\n%s",
                                        "振り分けルールを追加できませんでした\n%s"};

std::string Utf8(std::string_view cp932) {
    return text::Cp932ToUtf8(cp932);
}

}  // namespace

store::ThreadSettings TForm1::CurrentThreadSettings() const {
    const ViewSettings& v = settings_.view;
    store::ThreadSettings t;
    t.ThreadBySubject = v.ThreadBySubject;
    t.ThreadSwitchFolder = v.ThreadSwitchFolder;
    t.ThreadSwitchFolderBySubject = v.ThreadSwitchFolderBySubject;
    t.ThreadBackBySubject = v.ThreadBackBySubject;
    t.AllowTimeErrorSeconds =
        static_cast<std::uint32_t>(std::max(0, v.ThreadAllowTimeErrorSeconds));
    t.NewThreadAtEnd = v.NewThreadAtEnd;
    t.NewMailAtEnd = v.NewMailAtEnd;
    t.TreadIdMax = v.TreadIdMax;
    return t;
}

// Opens a mail found by a navigation command (the caller has asked CanLeaveCurrent)
// and records it in the history.
void TForm1::ShowNavigated(const std::string& file, bool threadMove) {
    threadMoveOpen_ = threadMove;
    OpenMailFile(file);
    threadMoveOpen_ = false;
    RecordInHistory();
}

void TForm1::ReportIndexDamage(const std::string& damage) {
    if (damage.empty())
        return;
    for (const auto& d : reportedDamage_) {
        if (d == damage)
            return;  // told once per window: the next step meets the same file
    }
    reportedDamage_.push_back(damage);
    io_.prompter.Tell(kIndexDamaged.Format(settings_.view.EnglishMenu, damage),
                      platform::Severity::Warning);
}

// --- Stepping ---

void TForm1::Next1Click() {
    NavigationDirection = 1;
    ReturnToViewing();
    switch (settings_.view.NextMailMode) {
        case 2:
            mailer_.CompanionView("Next");
            return;
        case 1:
            Next2Click();
            return;
        case -1:
            ThreadDown1Click();
            return;
        default:
            break;
    }
    if (Neighbours.next.empty())
        Neighbours.next = store::NeighbourMailFile(CurrentMailFile, +1, store::FileExistsOnDisk);
    if (!Neighbours.next.empty()) {
        if (CanLeaveCurrent())
            ShowNavigated(Neighbours.next, false);
        return;
    }
    if (settings_.view.NextFolderAtEnd)
        StepToNextFolder();
    else if (settings_.view.AlertDialog)
        io_.prompter.Tell(Say(kNoMoreMail));
}

void TForm1::Prev1Click() {
    NavigationDirection = -1;
    ReturnToViewing();
    switch (settings_.view.NextMailMode) {
        case 2:
            mailer_.CompanionView("Prev");
            return;
        case 1:
            Prev2Click();
            return;
        case -1:
            ThreadUp1Click();
            return;
        default:
            break;
    }
    if (Neighbours.previous.empty())
        Neighbours.previous =
            store::NeighbourMailFile(CurrentMailFile, -1, store::FileExistsOnDisk);
    if (!Neighbours.previous.empty()) {
        if (CanLeaveCurrent())
            ShowNavigated(Neighbours.previous, false);
        return;
    }
    if (settings_.view.AlertDialog)
        io_.prompter.Tell(Say(kNoMoreMail));
}

void TForm1::Nextnew2Click() {
    NavigationDirection = 2;
    if (!CanLeaveCurrent())
        return;
    ReturnToViewing();
    OpenRequested = true;
    if (settings_.view.NextMailMode == 2)
        OpenRequested = mailer_.CompanionView("NextRecv") == platform::Delivery::Delivered;
    else
        RunMailerStep(link::MailerCommand::NextNew);
}

void TForm1::PrevNew2Click() {
    NavigationDirection = -2;
    if (!CanLeaveCurrent())
        return;
    ReturnToViewing();
    OpenRequested = true;
    if (settings_.view.NextMailMode == 2)
        OpenRequested = mailer_.CompanionView("PrevRecv") == platform::Delivery::Delivered;
    else
        RunMailerStep(link::MailerCommand::PrevNew);
}

void TForm1::Nextnew3Click() {
    const int mode = settings_.view.NextMailMode;
    if (mode == 1 || mode == 2) {
        Nextnew2Click();
        return;
    }
    NavigationDirection = 1;
    Next2Click();
}

void TForm1::PrevNew3Click() {
    const int mode = settings_.view.NextMailMode;
    if (mode == 1 || mode == 2) {
        PrevNew2Click();
        return;
    }
    NavigationDirection = -1;
    Prev2Click();
}

// --- Deletion ---

// Moves the mail on screen to the trash and shows a neighbour. The move goes to the
// mailer once the neighbour is shown (or at once when the folder is left empty), so the
// mailer never moves the mail under the open window.
void TForm1::Delete1Click() {
    // A mail in the trash (the folder's own name says so) is not deleted again.
    if (CurrentMailFile.empty() || mail::IsTrashFolder(mail::DirectoryOf(CurrentMailFile)))
        return;
    if (!mail::IsMailFile(CurrentMailFile) || !CanLeaveCurrent())
        return;
    const std::string deleted = CurrentMailFile;
    deferred_.QueueFolderNotice(FolderNotice{"Move", deleted, {}});

    if (settings_.view.NextMailMode != 0) {
        switch (NavigationDirection) {
            case -1:
                Prev2Click();
                break;
            case 2:
                RunMailerStep(link::MailerCommand::NextNew);
                break;
            case -2:
                RunMailerStep(link::MailerCommand::PrevNew);
                break;
            default:
                Next2Click();
                break;
        }
        io_.Timer1.SetEnabled(true);
        return;
    }

    ReturnToViewing();
    if ((NavigationDirection == -1 && Neighbours.previous.empty()) ||
        (NavigationDirection == 1 && Neighbours.next.empty())) {
        if (settings_.view.AlertDialog)
            io_.prompter.Tell(Say(kLastMailInFolder));
        NavigationDirection = -NavigationDirection;
    }
    if (Neighbours.previous.empty() && Neighbours.next.empty()) {
        ClearShownText();
        CurrentMailFile.clear();
        ApplyMode();
        if (deferred_.PendingFocusFile == deleted)
            SendFolderCommand();
        io_.Timer1.SetEnabled(true);
        return;
    }
    const bool back =
        (NavigationDirection < 1 || Neighbours.next.empty()) && !Neighbours.previous.empty();
    ShowNavigated(back ? Neighbours.previous : Neighbours.next, false);
    io_.Timer1.SetEnabled(true);  // the move goes out on the next tick if not already sent
}

// --- File history ---

void TForm1::RecordInHistory() {
    if (!settings_.view.YellowArrowHistory || CurrentMailFile.empty())
        return;
    history_.SetMax(settings_.view.FileHistoryMax);
    history_.Record(CurrentMailFile);
    ShowHistoryButtons();
}

void TForm1::ShowHistoryButtons() {
    const bool on = settings_.view.YellowArrowHistory;
    io_.view.SetEnabled("Back2", on && history_.CanBack());
    io_.view.SetEnabled("Ahead1", on && history_.CanAhead());
    RefreshCommandStates();  // the yellow arrows
}

void TForm1::FileHistoryBack() {
    if (!settings_.view.YellowArrowHistory || !history_.CanBack() || !CanLeaveCurrent())
        return;
    const std::string file = history_.PeekBack();
    history_.CommitBack();
    ReturnToViewing();
    OpenMailFile(file);  // a history move is not recorded again
    ShowHistoryButtons();
}

void TForm1::FileHistoryAhead() {
    if (!settings_.view.YellowArrowHistory || !history_.CanAhead() || !CanLeaveCurrent())
        return;
    const std::string file = history_.PeekAhead();
    history_.CommitAhead();
    ReturnToViewing();
    OpenMailFile(file);
    ShowHistoryButtons();
}

// --- Stepping mode ---

void TForm1::ShowSteppingMode() {
    const int mode = settings_.view.NextMailMode;
    io_.view.SetChecked("NumberSearch1", mode == 0);
    io_.view.SetChecked("PelkSearch1", mode == 1);
    io_.view.SetChecked("Pilvo1Search1", mode == 2);
    io_.view.SetChecked("ThreadSearch1", mode == -1);
}

void TForm1::NumberSearch1Click() {
    settings_.view.NextMailMode = 0;
    ShowSteppingMode();
}

void TForm1::PelkSearch1Click() {
    settings_.view.NextMailMode = 1;
    ShowSteppingMode();
}

void TForm1::ThreadSearch1Click() {
    settings_.view.NextMailMode = -1;
    ShowSteppingMode();
}

// --- Threads ---

void TForm1::RequestFolderUpdate(const std::string& indexFile) {
    store::IndexReader index(indexFile);
    if (!index.IsOpen())
        return;
    if (const auto last = store::LastUsedRecord(index))
        mailer_.Update(store::MailFileOfRecord(indexFile, *last));
}

// Opens what a thread command found once the shown text may go; a cancelled step
// leaves the thread walk as it was before the command.
void TForm1::FinishThreadStep(const store::ThreadStep& step, const store::ThreadNavigator& before) {
    ReportIndexDamage(step.damage);
    if (!step.found()) {
        switch (step.message) {
            case store::ThreadMessage::NotMailFile:
                if (CurrentMailFile.empty())
                    break;  // nothing is shown: nothing to complain about
                io_.prompter.Tell(kNotMailFile.Format(settings_.view.EnglishMenu, CurrentMailFile),
                                  platform::Severity::Error);
                break;
            case store::ThreadMessage::NoMoreMails:
                if (settings_.view.AlertDialog)
                    io_.prompter.Tell(Say(kNoMoreMails));
                break;
            case store::ThreadMessage::AlreadyAtBase:
                if (settings_.view.AlertDialog)
                    io_.prompter.Tell(Say(kAlreadyAtBase));
                break;
            case store::ThreadMessage::NoSuchMails:
                if (settings_.view.AlertDialog)
                    io_.prompter.Tell(Say(kNoSuchMails));
                break;
            case store::ThreadMessage::None:
                break;
        }
        return;
    }
    if (!CanLeaveCurrent()) {
        thread_ = before;
        return;
    }
    ReturnToViewing();
    ShowNavigated(step.file, step.threadMove);
    if (step.inPositionAfterOpen)
        thread_.SetInPosition(*step.inPositionAfterOpen);
}

void TForm1::ThreadDown1Click() {
    const store::ThreadNavigator before = thread_;
    thread_.SetSettings(CurrentThreadSettings());
    FinishThreadStep(thread_.Down(CurrentMailFile), before);
}

void TForm1::ThreadUp1Click() {
    const store::ThreadNavigator before = thread_;
    thread_.SetSettings(CurrentThreadSettings());
    FinishThreadStep(thread_.Up(CurrentMailFile), before);
}

void TForm1::ThreadBase1Click() {
    const store::ThreadNavigator before = thread_;
    thread_.SetSettings(CurrentThreadSettings());
    FinishThreadStep(thread_.Base(CurrentMailFile), before);
}

void TForm1::NewThread1Click() {
    const store::ThreadNavigator before = thread_;
    thread_.SetSettings(CurrentThreadSettings());
    FinishThreadStep(thread_.NewThread(CurrentMailFile), before);
}

// The text searched for is the selection, else the clipboard's text; with neither the
// command does nothing.
void TForm1::SubjectSearch1Click() {
    std::string text = SelectedText();
    const bool fromCurrent = !text.empty();
    if (text.empty()) {
        const auto clip = ClipboardText();
        if (!clip || clip->empty())
            return;
        text = *clip;
    }
    const store::ThreadNavigator before = thread_;
    thread_.SetSettings(CurrentThreadSettings());
    FinishThreadStep(thread_.SubjectSearch(CurrentMailFile, text, fromCurrent), before);
}

// --- Sorting rules ---

void TForm1::ToFolder1Click() {
    AddFolderRule(settings_.pelk.Folder1);
}

void TForm1::ToFolder2Click() {
    AddFolderRule(settings_.pelk.Folder2);
}

void TForm1::AddFolderRule(const std::string& folder) {
    std::string bytes, error;
    const std::string address = editor::ReplaceFileRead(CurrentMailFile, bytes, error)
                                    ? store::ReadHeaderAddress(bytes, "from: ")
                                    : std::string();
    if (text::CharCount(address) < 4) {
        io_.prompter.Tell(Say(kNoFromAddress), platform::Severity::Warning);
        return;
    }
    const auto line = store::FolderRuleLine(address, folder);
    if (!line) {
        const bool addressOk = store::FolderRuleLine(address, "x").has_value();
        io_.prompter.Tell(
            kRuleRefused.Format(settings_.view.EnglishMenu, Utf8(addressOk ? folder : address)),
            platform::Severity::Warning);
        return;
    }
    const std::string question =
        settings_.view.EnglishMenu
            ? "Rule: Mails from " + Utf8(address) + " should go " + Utf8(folder)
            : "From:に " + Utf8(address) + " があると " + Utf8(folder) + " に振り分けますか";
    if (io_.prompter.Ask(Say(kRuleCaption) + "\n\n" + question, platform::Buttons::YesNo,
                         platform::Severity::Question) != platform::Answer::Yes)
        return;
    const std::string& file = settings_.mailer.FolderDefFile;
    if (file.empty())
        return;
    if (store::PrependLine(file, *line, error) == store::PrependResult::Failed)
        io_.prompter.Tell(kRuleNotWritten.Format(settings_.view.EnglishMenu, error),
                          platform::Severity::Error);
}

}  // namespace varnel::app

// --- The editor's side of navigation ---

namespace varnel::app {

// Stepping returns the editor to the viewer/editor mode that navigation comes back to.
void TForm1::ReturnToViewing() {
    sonEdit1_.ReadOnly = HomeReadOnly;
}

void TForm1::ClearShownText() {
    ShowText({}, false);
}

std::string TForm1::SelectedText() {
    return sonEdit1_.SelLength() > 0 ? sonEdit1_.GetSelText() : std::string();
}

std::optional<std::string> TForm1::ClipboardText() {
    std::string text;
    if (!io_.clipboard.HasText() || !io_.clipboard.GetText(text))
        return std::nullopt;
    return text;
}

}  // namespace varnel::app
