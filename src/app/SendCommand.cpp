// Send Mail: the header check and address repair, the machine-dependent character
// check, the draft written back in the mailer's layout (a forward draft's held-back
// attachments behind it) in one replacement, and the window closed. Any refusal or
// failure leaves the window open with the text as it was.
#include <algorithm>

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

// Runs the character check over the editor text. Rewritten paragraphs are gathered and
// put back in one undoable edit (before a character is shown, and at the end), so a long
// draft costs one pass; each reported character is selected while its message shows.
// True when a character that cannot be sent stopped it.
bool TForm1::CheckDependentChars() {
    if (!tools::WantsDependentCharCheck(CurrentMailFile))
        return false;
    editor::TSonEdit2& e = sonEdit1_;
    std::vector<std::string> paragraphs = EditorParagraphs(e);
    std::vector<std::string> now = paragraphs;  // the text as rewritten so far
    std::size_t firstChanged = text::npos, lastChanged = 0;
    auto flush = [&] {
        if (firstChanged == text::npos)
            return;
        const auto from = now.begin() + static_cast<std::ptrdiff_t>(firstChanged);
        ReplaceParagraphs(e, static_cast<int>(firstChanged), static_cast<int>(lastChanged),
                          {from, now.begin() + static_cast<std::ptrdiff_t>(lastChanged) + 1});
        firstChanged = text::npos;
        lastChanged = 0;
    };
    tools::DependentCharEvents ev;
    ev.lineChanged = [&](std::size_t n, const std::string& text) {
        now[n] = text;
        firstChanged = std::min(firstChanged, n);
        lastChanged = std::max(lastChanged, n);
    };
    ev.notice = [&](std::size_t n, std::size_t pos, tools::DependentChar kind) {
        flush();
        int x = static_cast<int>(pos), y = FirstLineOfParagraph(e, static_cast<int>(n));
        // The paragraph may be wrapped: walk its display lines to the byte.
        while (y + 1 < e.Lines().Count() && !editor::HasHardEnd(e.Lines().Get(y)) &&
               x >= static_cast<int>(e.Lines().Get(y).size())) {
            x -= static_cast<int>(e.Lines().Get(y).size());
            ++y;
        }
        e.MoveCaretTo(x, y);
        e.SelectChars(text::IsDoubleByteAt(now[n], pos) ? 2 : 1);
        io_.prompter.Tell(std::string(tools::DependentCharMessage(kind)),
                          platform::Severity::Warning);
    };
    const bool stopped = tools::CheckDependentChars(paragraphs, settings_.view.X0208_Alarm, ev);
    flush();
    return stopped;
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
