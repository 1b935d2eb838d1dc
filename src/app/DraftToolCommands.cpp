// The forward-draft tools as window commands (Edit > Special), and Show All (the shown
// mail as it is stored). Each tool is one undoable edit of the editor text.
#include <functional>
#include <string>
#include <vector>

#include "app/EditorParagraphs.h"
#include "app/TForm1.h"
#include "mail/ForwardDraftTools.h"

namespace varnel::app {

// Runs a tool on the paragraphs of an editable text and puts back what it changed.
void TForm1::ApplyDraftTool(const std::function<void(std::vector<std::string>&)>& tool) {
    if (sonEdit1_.ReadOnly)
        return;
    std::vector<std::string> paragraphs = EditorParagraphs(sonEdit1_);
    tool(paragraphs);
    if (ReplaceChangedParagraphs(sonEdit1_, paragraphs))
        sonEdit1_.SetModified(true);
}

void TForm1::DeleteFwdHeader1Click() {
    ApplyDraftTool([this](std::vector<std::string>& lines) {
        mail::DeleteForwardedHeader(lines, settings_.view.ForwardHeader);
    });
}

void TForm1::SimpleMultiPart1Click() {
    ApplyDraftTool([this](std::vector<std::string>& lines) {
        mail::SimplifyMultipart(lines, settings_.view.ForwardHeader);
    });
}

void TForm1::DeleteHTML1Click() {
    ApplyDraftTool([](std::vector<std::string>& lines) { mail::DeleteHtmlPart(lines); });
}

// The file of the shown mail as it is stored: header, part headers and encoded data.
// The text is the file's own, so the forward tail held back from a draft is in it.
void TForm1::ShowAll1Click() {
    if (CurrentMailFile.empty() || !CanLeaveCurrent())
        return;
    editor::TSonStrings loaded;
    std::string error;
    if (!loaded.LoadFromFile(CurrentMailFile, error)) {
        io_.prompter.Tell(CurrentMailFile + "\n" + error, platform::Severity::Error);
        return;
    }
    ForwardTail.reset();
    ShowText(loaded.GetTextStr(), true);
    ApplyMode();
}

}  // namespace varnel::app
