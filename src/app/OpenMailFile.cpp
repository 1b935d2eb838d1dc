// Opening a mail or a draft into the window.
#include "app/DisplayLines.h"
#include "app/StartFile.h"
#include "app/TForm1.h"

namespace varnel::app {
namespace {

constexpr text::Message kCannotOpen{"Cannot open %s", "%s を開けません"};

}  // namespace

// For now every file is shown as it is stored. The header pass and the MIME body pass
// (DecodeMailForDisplay) take over received mail, and with them come marking the mail
// read and telling the mailer; this code changes no file and sends nothing.
void TForm1::OpenMailFile(const std::string& path) {
    // The first open, still in the first start-up phase, chooses the initial mode.
    if (deferred_.StartupPhase)
        editor_.ReadOnly = InitialReadOnly(EditSwitchGiven, path);

    std::string error;
    if (!store_.LoadFromFile(path, error)) {
        io_.prompter.Tell(kCannotOpen.Format(settings_.view.EnglishMenu, path) + "\n" + error,
                          platform::Severity::Error);
        ApplyMode();
        return;
    }
    CurrentMailFile = path;
    editor_.Modified = false;
    io_.view.ShowLines(ShownLines(store_));
    ApplyMode();
}

}  // namespace varnel::app
