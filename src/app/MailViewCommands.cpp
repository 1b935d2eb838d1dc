// The main window's header toggle and its Decode commands.
#include "app/DisplayLines.h"
#include "app/TForm1.h"
#include "mail/DecodeCommand.h"
#include "mail/HeaderToggle.h"
#include "mail/MailNames.h"
#include "mail/OpenMail.h"

namespace varnel::app {

// Cycles summary without recipients, summary with them, full header. The settings
// change in memory only; the mail is opened again in the new mode.
void TForm1::Header1Click() {
    if (!mail::IsMailFile(CurrentMailFile) || !CanLeaveCurrent())
        return;
    ViewSettings& v = settings_.view;
    const mail::HeaderModeSettings next =
        mail::NextHeaderMode({v.Header, v.ShowTo}, ShowRecipientsNow);
    v.Header = next.header;
    v.ShowTo = next.showTo;
    RecipientOverride = true;
    OpenMailFile(CurrentMailFile);
}

// Shows the mail again in the European font, or back in the Japanese one.
void TForm1::Europeanfont1Click() {
    const bool reopen = !CurrentMailFile.empty() &&
                        (mail::IsMailFile(CurrentMailFile) || mail::IsDraftFile(CurrentMailFile));
    if (reopen && !CanLeaveCurrent())
        return;
    europeanFontChecked_ = !europeanFontChecked_;
    io_.view.SetChecked("Europeanfont1", europeanFontChecked_);
    if (reopen) {
        OpenMailFile(CurrentMailFile);
        return;
    }
    europeanFontOn_ = europeanFontChecked_;
    ApplyMode();
}

void TForm1::Decode1Click() {
    RunDecode(false);
}

void TForm1::DecodeZenkaku1Click() {
    RunDecode(true);
}

// The decoded JIS text replaces the shown text for reading only; it is no file's own
// text, so Save goes through save-as.
void TForm1::RunDecode(bool zenkaku) {
    if ((zenkaku && sonEdit1_.HasSelection()) || !CanLeaveCurrent())
        return;
    if (!privateDir_) {
        std::string error;
        privateDir_ = mail::PrivateTempDir::Create(error);
        if (!privateDir_) {
            io_.prompter.Tell(error, platform::Severity::Error);
            return;
        }
    }
    const mail::DecodeViewer viewer{io_.launcher, *privateDir_, settings_.location.TesraExe,
                                    settings_.view.EnglishMenu};
    const mail::DecodeCommandResult r =
        zenkaku ? mail::DecodeZenkaku1Click(ShownLines(sonEdit1_.Lines()), false, viewer)
                : mail::Decode1Click(ShownLines(sonEdit1_.Lines()), viewer);
    if (r.status == mail::DecodeCommandResult::Status::Skipped)
        return;
    sonEdit1_.ReadOnly = true;
    ShowText(EditorText(r.lines), false);
    ApplyMode();
    if (r.status == mail::DecodeCommandResult::Status::Failed)
        io_.prompter.Tell(r.message, platform::Severity::Error);
}

}  // namespace varnel::app
