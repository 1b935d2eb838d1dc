// Send Mail: the header check and address repair, the machine-dependent character
// check, the draft written back in the mailer's layout (a forward draft's held-back
// attachments behind it) in one replacement, and the window closed. Any refusal or
// failure leaves the window open with the text as it was.
#include "app/EditorParagraphs.h"
#include "app/TForm1.h"
#include "editor/LineString.h"
#include "mail/OutgoingMail.h"
#include "text/Sjis.h"
#include "tools/DependentCharCheck.h"

namespace varnel::app {

namespace {

constexpr text::Message kHeaderIncomplete{"Addressee or Subject may be missing.",
                                          "宛先または題名がありません"};
constexpr text::Message kReadOnly{"Read only mode.", "読み出し専用です"};
constexpr text::Message kNotSaved{"Error: File not saved correctly.",
                                  "Error: File not saved correctly."};

}  // namespace

// Runs the character check over the editor text: rewritten paragraphs go back as
// undoable edits, and each reported character is selected while its message shows.
// True when a character that cannot be sent stopped it.
bool TForm1::CheckDependentChars() {
    if (!tools::WantsDependentCharCheck(CurrentMailFile))
        return false;
    editor::TSonEdit2& e = sonEdit1_;
    std::vector<std::string> paragraphs = EditorParagraphs(e);
    std::string shown;  // the text of the paragraph last rewritten, and its index
    std::size_t shownIndex = text::npos;
    tools::DependentCharEvents ev;
    ev.lineChanged = [&](std::size_t n, const std::string& text) {
        const int p = static_cast<int>(n);
        ReplaceParagraphs(e, p, p, {text});
        shown = text;
        shownIndex = n;
    };
    ev.notice = [&](std::size_t n, std::size_t pos, tools::DependentChar kind) {
        const int line = FirstLineOfParagraph(e, static_cast<int>(n));
        int x = static_cast<int>(pos), y = line;
        // The paragraph may be wrapped: walk its display lines to the byte.
        while (y + 1 < e.Lines().Count() && !editor::HasHardEnd(e.Lines().Get(y)) &&
               x >= static_cast<int>(e.Lines().Get(y).size())) {
            x -= static_cast<int>(e.Lines().Get(y).size());
            ++y;
        }
        e.MoveCaretTo(x, y);
        const std::string& now = shownIndex == n ? shown : paragraphs[n];
        e.SelectChars(text::IsDoubleByteAt(now, pos) ? 2 : 1);
        io_.prompter.Tell(std::string(tools::DependentCharMessage(kind)),
                          platform::Severity::Warning);
    };
    return tools::CheckDependentChars(paragraphs, settings_.view.X0208_Alarm, ev);
}

void TForm1::SaveandQuit1Click() {
    editor::TSonEdit2& e = sonEdit1_;
    const bool draft = mail::IsOutgoingDraftName(CurrentMailFile);
    if (draft) {
        std::vector<std::string> paragraphs = EditorParagraphs(e);
        const mail::HeaderCheck check = mail::CheckDraftHeader(paragraphs);
        if (!e.ReadOnly) {
            for (const std::size_t p : check.repaired)
                ReplaceParagraphs(e, static_cast<int>(p), static_cast<int>(p), {paragraphs[p]});
        }
        if (!check.complete) {
            io_.prompter.Tell(Say(kHeaderIncomplete), platform::Severity::Warning);
            return;
        }
    }
    if (e.ReadOnly) {
        io_.prompter.Tell(Say(kReadOnly), platform::Severity::Warning);
        return;
    }
    if (CheckDependentChars())
        return;
    const std::string text =
        mail::OutgoingText(mail::DraftParagraphsOf(e.Lines()), draft, settings_.view.TabToSpace);
    std::string error;
    if (!mail::WriteOutgoingFile(CurrentMailFile, text, ForwardTail, error)) {
        io_.prompter.Tell(Say(kNotSaved) + "\n" + CurrentMailFile + ": " + error,
                          platform::Severity::Error);
        return;
    }
    ForwardTail.reset();
    e.SetModified(false);
    CloseWithoutAsking = true;
    io_.view.Close();
}

}  // namespace varnel::app
