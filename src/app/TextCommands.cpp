// The window's text commands for writing a reply: Quote, Quote2, Comment, Unquote, the
// reformat, Q-Encode and paste with quotation. Each reads the affected paragraphs, runs
// the mail library's routine on them and puts the result back as one undoable edit.
#include "app/EditorParagraphs.h"
#include "app/HeaderOptionsFrom.h"
#include "app/TForm1.h"
#include "mail/QuoteLines.h"
#include "mail/Reformat.h"

namespace varnel::app {

namespace {

constexpr text::Message kReformatError{"Error in reformat routine", "Error in reformat routine"};

}  // namespace

void TForm1::ApplyTextCommand(TextCommand kind) {
    editor::TSonEdit2& e = sonEdit1_;
    const bool wasModified = e.Modified();
    const bool wasReadOnly = e.ReadOnly;
    std::vector<std::string> paragraphs = EditorParagraphs(e);
    int first = 0, last = 0;
    std::size_t reformatFrom = 0;
    int x1 = 0, y1 = 0, y2 = 0, x2 = 0;
    if (e.GetSelRange(x1, y1, y2, x2)) {
        first = ParagraphOfLine(e, y1);
        last = ParagraphOfLine(e, y2);
    } else if (kind == TextCommand::Reformat) {
        // The whole text below the draft's separator (or only its last line); the
        // end-of-text paragraph is not part of it when the text ends with a line end.
        last = static_cast<int>(paragraphs.size()) - 1;
        if (last > 0 && paragraphs.back().empty())
            --last;
        std::size_t sep = 0;
        while (sep + 1 < paragraphs.size() && !paragraphs[sep].starts_with("------"))
            ++sep;
        reformatFrom = sep + 1 < paragraphs.size() ? sep + 1 : static_cast<std::size_t>(last);
    } else {
        return;
    }
    std::vector<std::string> lines(paragraphs.begin() + first, paragraphs.begin() + last + 1);
    const ViewSettings& v = settings_.view;
    try {
        switch (kind) {
            case TextCommand::Quote:
                mail::QuoteLines(lines, v.Quote);
                break;
            case TextCommand::Quote2:
                mail::QuoteLines(lines, v.Quote2);
                break;
            case TextCommand::Comment:
                mail::QuoteLines(lines, v.Comment);
                break;
            case TextCommand::Unquote:
                mail::UnquoteLines(lines, v.QuoteChar);
                break;
            case TextCommand::QEncode:
                mail::QEncodeLines(lines);
                break;
            case TextCommand::Reformat:
                mail::ReformatLines(lines, reformatFrom, ReformatOptionsFrom(settings_));
                break;
        }
    } catch (const std::exception&) {
        io_.prompter.Tell(Say(kReformatError), platform::Severity::Error);
        return;
    }
    e.ReadOnly = false;
    ReplaceParagraphs(e, first, last, lines);
    e.ReadOnly = wasReadOnly;
    // Reformatting a received mail only changes the view; any edit of a writable text
    // is a change to save.
    e.SetModified(kind == TextCommand::Reformat && wasReadOnly ? wasModified : true);
    e.MoveCaretTo(0, FirstLineOfParagraph(e, first));
}

void TForm1::Quote1Click() {
    if (!sonEdit1_.ReadOnly)
        ApplyTextCommand(TextCommand::Quote);
}
void TForm1::Quote2Click() {
    if (!sonEdit1_.ReadOnly)
        ApplyTextCommand(TextCommand::Quote2);
}
void TForm1::Comment1Click() {
    if (!sonEdit1_.ReadOnly)
        ApplyTextCommand(TextCommand::Comment);
}
void TForm1::Unquote1Click() {
    if (!sonEdit1_.ReadOnly)
        ApplyTextCommand(TextCommand::Unquote);
}
void TForm1::Justify1Click() {
    ApplyTextCommand(TextCommand::Reformat);
}
void TForm1::QEncode1Click() {
    ApplyTextCommand(TextCommand::QEncode);
}

// Pastes, then quotes the pasted lines (or the caret line when the paste stayed inside
// one line after its start) with Quote, as one more undoable edit.
void TForm1::PasteWithquotation1Click() {
    editor::TSonEdit2& e = sonEdit1_;
    if (e.ReadOnly)
        return;
    const int startLine = e.CaretY(), startX = e.CaretX();
    e.PasteFromClipboard();
    const int endLine = e.CaretY(), endX = e.CaretX();
    int first = ParagraphOfLine(e, startLine);
    int last = ParagraphOfLine(e, endLine);
    if (endLine != startLine || startX != 0) {
        if (endX == 0 && last > first)
            --last;
    } else {
        first = last;
    }
    std::vector<std::string> paragraphs = EditorParagraphs(e);
    std::vector<std::string> lines(paragraphs.begin() + first, paragraphs.begin() + last + 1);
    mail::QuoteLines(lines, settings_.view.Quote);
    ReplaceParagraphs(e, first, last, lines);
    e.MoveCaretTo(0, FirstLineOfParagraph(e, first));
}

}  // namespace varnel::app
