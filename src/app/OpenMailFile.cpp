// Opening a mail or a draft into the window: the mail library decides what to show,
// what the file becomes and what the mailer must hear; this carries it out.
#include <cstdio>
#include <filesystem>

#include "app/DraftToolsFrom.h"
#include "app/HeaderOptionsFrom.h"
#include "app/StartFile.h"
#include "app/TForm1.h"
#include "editor/ReplaceFile.h"
#include "mail/AfterBodyPass.h"
#include "mail/OpenMail.h"
#include "store/StoreNames.h"

namespace varnel::app {
namespace {

constexpr text::Message kCannotOpen{"Cannot open %s", "%s を開けません"};
constexpr text::Message kOpenError{"Error in mail open procedure", "Error in mail open procedure"};
constexpr text::Message kTooLarge{
    "%s\nis too large for the window. Files up to the size set by MaxOpenSize in the "
    "[View] section of the settings open here; varnel32 --dump FILE prints a mail of any "
    "size.",
    "%s\nはウィンドウで開くには大きすぎます。開けるのは設定ファイル [View] の MaxOpenSize "
    "で決めた大きさまでです。varnel32 --dump FILE なら大きさに関係なく表示できます。"};
constexpr int kDefaultMaxOpenSize = 256;
constexpr text::Message kCannotMarkRead{
    "The mail could not be marked as read; the file was left as it was.\n%s",
    "既読にできませんでした。ファイルは元のままです\n%s"};

}  // namespace

void TForm1::OpenMailFile(const std::string& path) {
    WritePendingMarkRead();  // the mail shown so far is marked read before it goes
    // The first open, still in the first start-up phase, chooses the initial mode.
    if (deferred_.StartupPhase)
        sonEdit1_.ReadOnly = InitialReadOnly(EditSwitchGiven, path);
    ForwardTail.reset();
    temporaryViewerColor_.reset();
    OpenRequested = false;  // the consent given for a view request ends with any opening
    // The mail a deletion waits to move; the open below may already send that move.
    const std::string pendingAtOpen = deferred_.PendingFocusFile;
    europeanFontOn_ = europeanFontChecked_;
    sonEdit1_.SetSingleByteMode(europeanFontOn_);

    std::error_code ec;
    const bool exists = std::filesystem::exists(path, ec);
    // A window needs many times a file's size: a file over the limit is refused before
    // it is read.
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    const int limitMb =
        settings_.view.MaxOpenSize > 0 ? settings_.view.MaxOpenSize : kDefaultMaxOpenSize;
    if (!ec && size > static_cast<std::uintmax_t>(limitMb) * 1024 * 1024) {
        io_.prompter.Tell(
            kTooLarge.Format(settings_.view.EnglishMenu,
                             path + " (" + std::to_string((size + (1 << 20) - 1) >> 20) + " MB > " +
                                 std::to_string(limitMb) + " MB)"),
            platform::Severity::Error);
        RecipientOverride = false;
        ApplyMode();
        return;
    }
    const std::optional<FileStamp> stampBeforeRead = StampOf(path);
    std::optional<std::string> bytes(std::in_place);
    std::string readError;
    if (!editor::ReplaceFileRead(path, *bytes, readError)) {
        // The reason ("Is a directory", "Permission denied") is shown with the path.
        io_.prompter.Tell(exists ? Say(kOpenError) + "\n" + readError
                                 : kCannotOpen.Format(settings_.view.EnglishMenu, path),
                          platform::Severity::Error);
        RecipientOverride = false;
        ApplyMode();
        return;
    }

    mail::DecodeState state;
    state.headEditOnly = true;  // the new bytes are put together after the first paint
    state.recipientOverride = RecipientOverride;
    state.europeanFontOn = europeanFontOn_;
    state.repliedFlag = RepliedFlag;
    state.startupPhase = deferred_.StartupPhase;
    state.editSwitchGiven = EditSwitchGiven;
    state.pendingFocusFile = deferred_.PendingFocusFile;
    const mail::HeaderOptions options = HeaderOptionsFrom(settings_);
    const mail::DateTimeLocale locale =
        settings_.view.EnglishMenu ? mail::DateTimeLocale{} : mail::JapaneseDateTimeLocale();
    const mail::DraftTools tools = DraftToolsFrom(settings_, setup_.settingsPath, io_.clock);
    mail::OpenedMail opened =
        mail::OpenMailCore(path, bytes, options, state, tools, io_.clock, locale);
    if (opened.decoded && opened.decoded->offerEuropeanFont &&
        io_.prompter.Ask(Say(mail::kEuropeanFontQuestion), platform::Buttons::YesNo,
                         platform::Severity::Question) == platform::Answer::Yes) {
        europeanFontOn_ = state.europeanFontOn = true;
        sonEdit1_.SetSingleByteMode(true);
        opened = mail::OpenMailCore(path, bytes, options, state, tools, io_.clock, locale);
    }

    CurrentMailFile = path;
    // A draft is the file's own text; one that ended without a line end still does.
    const bool finalLineEnd = !opened.draft || bytes->empty() || bytes->back() == '\n';
    // The file's bytes are not needed past the decoding, but by the mark-read rewrite,
    // written on the next Timer1 tick, after the first paint.
    bool markReadHeld = false;
    if (opened.decoded && opened.decoded->markReadEdit) {
        pendingMarkRead_.Hold(path, std::move(*bytes), std::move(*opened.decoded->markReadEdit),
                              stampBeforeRead, opened.decoded->requests.updateThisMail);
        markReadHeld = true;
    }
    bytes.reset();
    // The font, column and wrapping the text is shown with are set before the lines go
    // in, so that they are wrapped once; ApplyMode at the end then finds nothing to
    // rewrap unless the mode itself changed.
    ModeState mode;
    mode.readOnly = sonEdit1_.ReadOnly;
    mode.europeanFont = europeanFontOn_;
    io_.view.ApplyAppearance(ComputeAppearance(CurrentModeOptions(), mode));
    ShowText(std::move(opened.lines), finalLineEnd, opened.draft);
    ShowRecipientsNow = opened.showRecipientsNow;
    bool updateSent = false;
    if (opened.decoded) {
        mail::DecodedMail& d = *opened.decoded;
        shownAttachments_ = std::move(d.attachments);
        shownRelated_ = d.related;
        RepliedFlag = d.repliedFlag;
        AddressedToMe = d.addressedToMe;
        DispositionPending = d.dispositionPending;
        HeaderLineCount = d.headerLineCount;
        if (d.mailNumber)
            MailNumber = *d.mailNumber;
        if (d.alertColour != 0)
            temporaryViewerColor_ = d.alertColour;
        mail::MailerRequests requests = d.requests;
        if (markReadHeld) {
            // The mailer's update waits for the write.
            updateSent = requests.updateThisMail;
            requests.updateThisMail = false;
            io_.Timer1.SetEnabled(true);
        }
        CarryOut(requests, updateSent);
    } else if (opened.draft) {
        ForwardTail = std::move(opened.forwardTail);
        DraftCaretLine = opened.caretLine;
        if (opened.dateTimeMacro)
            ExpandDateTimeMacro(*opened.dateTimeMacro);
        // The caret goes into the body: the line is a paragraph of the text.
        int x = 0;
        int y = static_cast<int>(DraftCaretLine);
        sonEdit1_.LogicalToDisplay(x, y);
        sonEdit1_.MoveCaretTo(x, y);
        // The X-Forward line's wishes hold until the settings are read again.
        settings_.view.NoRfc822 = settings_.view.NoRfc822 || opened.switchNoRfc822On;
        settings_.view.NoFwdHTML = settings_.view.NoFwdHTML || opened.switchNoFwdHtmlOn;
    }

    // Common end.
    RecipientOverride = false;
    if (opened.focusInCompanion)
        mailer_.CompanionFocus(CurrentMailFile);
    // The status update above has already told the mailer about this very mail.
    if (opened.updateCurrentMail && !updateSent)
        mailer_.Update(CurrentMailFile);
    ApplyMode();
    // The stepping commands' next and previous mail; a mail waiting to be moved is
    // stepped over. Any opening but a thread move starts the thread walk anew.
    Neighbours = store::NeighboursOf(CurrentMailFile, pendingAtOpen, store::FileExistsOnDisk);
    if (!threadMoveOpen_)
        thread_.Reset(store::MailNumberValue(CurrentMailFile).value_or(-1));
}

void TForm1::WritePendingMarkRead(bool askless) {
    const std::optional<PendingMarkRead::Outcome> o = pendingMarkRead_.Write();
    if (!o)
        return;
    // A failure is told once per mail and reason (a write-protected mail would otherwise
    // be reported at every open).
    if (!o->error.empty() && reportedWriteFailures_.insert(o->path + "\n" + o->error).second) {
        const std::string message = kCannotMarkRead.Format(settings_.view.EnglishMenu, o->error);
        if (askless)
            std::fprintf(stderr, "varnel32: %s\n", message.c_str());
        else
            io_.prompter.Tell(message, platform::Severity::Error);
    }
    if (o->update && mailer_.Update(o->path))
        io_.Timer1.SetEnabled(true);  // a focus command follows on the next tick
}

// The macro becomes the date through the editor, so one Undo gives the macro back and the
// draft counts as changed.
void TForm1::ExpandDateTimeMacro(const mail::MacroEdit& e) {
    int x1 = static_cast<int>(e.pos), y1 = static_cast<int>(e.line);
    int x2 = static_cast<int>(e.pos + e.length), y2 = y1;
    sonEdit1_.LogicalToDisplay(x1, y1);
    sonEdit1_.LogicalToDisplay(x2, y2);
    sonEdit1_.ReplaceText(e.text, x1, y1, x2, y2);
}

// The mailer requests of marking a mail read.
void TForm1::CarryOut(const mail::MailerRequests& r, bool& updateSent) {
    if (r.sendPendingFolderCommand)
        SendFolderCommandFor(deferred_.PendingFocusFile);
    if (r.updateThisMail) {
        SendUpdateCommand();
        updateSent = true;
    }
    if (r.pendingFocusFile)
        deferred_.PendingFocusFile = *r.pendingFocusFile;
    if (r.startTimer)
        io_.Timer1.SetEnabled(true);
}

}  // namespace varnel::app
