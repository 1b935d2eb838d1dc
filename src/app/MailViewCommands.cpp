// The main window's header toggle and its Decode commands.
#include "app/DisplayLines.h"
#include "app/TForm1.h"
#include "mail/DecodeCommand.h"
#include "mail/HeaderToggle.h"
#include "mail/MailNames.h"

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

void TForm1::Decode1Click() {
    RunDecode(false);
}

void TForm1::DecodeZenkaku1Click() {
    RunDecode(true);
}

// The decoded JIS text is shown for reading only: the shown mail's own text stays in
// the line store, so nothing JIS can be saved over it, and the modified state is kept.
void TForm1::RunDecode(bool zenkaku) {
    if (zenkaku && editor_.HasSelection)
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
        zenkaku ? mail::DecodeZenkaku1Click(ShownLines(store_), false, viewer)
                : mail::Decode1Click(ShownLines(store_), viewer);
    if (r.status == mail::DecodeCommandResult::Status::Skipped)
        return;
    editor_.ReadOnly = true;
    io_.view.ShowLines(r.lines);
    ApplyMode();
    if (r.status == mail::DecodeCommandResult::Status::Failed)
        io_.prompter.Tell(r.message, platform::Severity::Error);
}

}  // namespace varnel::app
