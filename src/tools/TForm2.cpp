// The spelling check's scan and its window's decisions.
#include "tools/TForm2.h"

#include <algorithm>
#include <filesystem>

#include "editor/ReplaceFile.h"
#include "text/Sjis.h"

namespace varnel::tools {
namespace {

constexpr const char* kNoSuggestion = "No suggestion";
constexpr const char* kDuplicate = "(Duplicate words.)";
constexpr std::size_t kMaxSelectedWord = 20;

bool HasNumericOrPunctuation(std::string_view word, const SpellCharSets& sets) {
    for (std::size_t i = 0; i < word.size(); i = text::NextCharPos(word, i)) {
        const SpellClass c = SpellClassAt(word, i, sets);
        if (c == SpellClass::Numeric || c == SpellClass::Punctuation)
            return true;
    }
    return false;
}

}  // namespace

TForm2::TForm2(TForm2Services services) : io_(std::move(services)) {}

void TForm2::Start(editor::TSonEdit& edit, const SpellCheckOptions& options) {
    if (inProgress_) {
        io_.prompter.Tell("SpellCheck already open.");
        return;
    }
    if (!options.SpellChecker)
        return;
    inProgress_ = true;
    options_ = options;
    sets_ = {options.Alpha, options.Numeric};
    if (!Prepare(edit)) {
        speller_.reset();
        inProgress_ = false;
        return;
    }
    edit_ = &edit;
    int x = edit.CaretX(), y = edit.CaretY();
    edit.DisplayToLogical(x, y);
    startCaret_ = {y, x};
    if (!edit.HasSelection()) {
        scan_ = {startCaret_.para, 0};
        Scan();
        return;
    }
    // One selected word. Should the user go on from the window, the scan continues
    // after the word.
    const std::string word = edit.GetSelText();
    int x1 = 0, y1 = 0, y2 = 0, x2 = 0;
    edit.GetSelRange(x1, y1, y2, x2);
    edit.DisplayToLogical(x1, y1);
    edit.DisplayToLogical(x2, y2);
    scan_ = {y2, x2};
    if (y1 == y2) {
        wordAt_ = {y1, x1};
        wordLength_ = x2 - x1;
    }
    const int result = CheckWord(word);
    if (result == 0) {
        Finish(true);
        io_.prompter.Tell("Spell ckeck complete.");
    } else if (result < -1) {
        Finish(true);
        io_.prompter.Tell("Spell ckeck error.");
    }
}

bool TForm2::Prepare(editor::TSonEdit& edit) {
    if (edit.ReadOnly) {
        io_.prompter.Tell("Read only mode.");
        return false;
    }
    if (edit.HasSelection()) {
        if (static_cast<std::size_t>(edit.SelLength()) > kMaxSelectedWord) {
            io_.prompter.Tell("The word is too long to spell-check.");
            return false;
        }
        if (text::FindChar(edit.GetSelText(), ' ') != text::npos) {
            io_.prompter.Tell("Space exists in the selection.");
            return false;
        }
    }
    previousWord_.clear();
    io_.window.SetFont(options_.SpellFontName, options_.SpellFontSize);
    std::string error;
    speller_ = io_.makeSpeller ? io_.makeSpeller(error) : nullptr;
    if (!speller_) {
        io_.prompter.Tell("Unable to Load \"" + error + "\".", platform::Severity::Error);
        return false;
    }
    const std::string& user = options_.userDictionary;
    std::error_code ec;
    if (!std::filesystem::exists(user, ec)) {
        std::string writeError;
        editor::ReplaceFileOptions create;
        create.createDirectories = true;
        if (editor::ReplaceFileWrite(user, "", writeError, create))
            io_.prompter.Tell("Empty dictionary " + user + " has been created.");
        else
            io_.prompter.Tell("Cannot create " + user, platform::Severity::Warning);
    }
    std::string bytes, readError;
    if (!editor::ReplaceFileRead(user, bytes, readError)) {
        io_.prompter.Tell("Cannot open user dictionary. Maybe in use.", platform::Severity::Error);
        return false;
    }
    if (!speller_->SetDictionary(options_.mainDictionary, user))
        io_.prompter.Tell("Invalid dictionary.", platform::Severity::Warning);
    return true;
}

int TForm2::ParagraphCount() const {
    int x = 0, y = edit_->Lines().Count() - 1;
    edit_->DisplayToLogical(x, y);
    return y + 1;
}

std::string TForm2::ParagraphText(int para) const {
    int x = 0, y = para;
    edit_->LogicalToDisplay(x, y);
    return edit_->GetParagraphText(y);
}

void TForm2::SelectInParagraph(int para, std::size_t start, std::size_t length) {
    wordAt_ = {para, static_cast<int>(start)};
    wordLength_ = static_cast<int>(length);
    int ax = static_cast<int>(start), ay = para;
    int bx = static_cast<int>(start + length), by = para;
    edit_->LogicalToDisplay(ax, ay);
    edit_->LogicalToDisplay(bx, by);
    edit_->Select({ay, ax}, {by, bx});
}

void TForm2::Scan() {
    while (inProgress_ && edit_) {
        // Every paragraph is read, the text after the last line end included.
        if (scan_.para >= ParagraphCount()) {
            Finish(true);
            io_.prompter.Tell("Spell Check Complete.");
            return;
        }
        std::string text = ParagraphText(scan_.para);
        const std::size_t own = text.size();
        text += "  ";
        const std::size_t pos = static_cast<std::size_t>(std::max(0, scan_.offset));
        if (pos < own) {
            const SpellWord w = NextSpellWord(text, pos, sets_);
            scan_.offset = static_cast<int>(w.end);
            if (w.found && !w.address) {
                word_ = text.substr(w.start, w.length);
                const std::string lower = text::ToLowerAscii(word_);
                if (w.doubleTest && !previousWord_.empty() && lower == previousWord_) {
                    SelectInParagraph(scan_.para, w.start, w.length);
                    ShowList(word_, "", {kDuplicate}, ListKind::Duplicate);
                    io_.window.Focus(platform::SpellWindow::Button::Change);
                    return;
                }
                previousWord_ = lower;
                const bool skip = (options_.IgnoreCapital && word_ == text::ToUpperAscii(word_)) ||
                                  (options_.IgnoreNumeric && HasNumericOrPunctuation(word_, sets_));
                if (!skip) {
                    // An abbreviation passes with its period or without it.
                    int result = 1;
                    if (w.trailingMark == '.') {
                        std::vector<std::string> unused;
                        result = speller_->Alternatives(word_ + ".", unused);
                    }
                    if (result != 0)
                        result = CheckWord(word_);
                    if (result != 0) {
                        SelectInParagraph(scan_.para, w.start, w.length);
                        return;
                    }
                }
            }
            if (static_cast<std::size_t>(scan_.offset) < own)
                continue;
        }
        ++scan_.para;
        scan_.offset = 0;
    }
}

int TForm2::CheckWord(const std::string& word) {
    std::vector<std::string> suggestions;
    const int result = speller_->Alternatives(word, suggestions);
    if (result == 0)
        return 0;
    word_ = word;
    if (result < -1)
        io_.prompter.Tell("Error in spellcheck.", platform::Severity::Error);
    if (result < 0 || suggestions.empty()) {
        ShowList(word, word, {kNoSuggestion}, ListKind::NoSuggestion);
    } else {
        std::sort(suggestions.begin(), suggestions.end());
        const std::string first = suggestions.front();
        ShowList(word, first, std::move(suggestions), ListKind::Suggestions);
    }
    io_.window.Focus(platform::SpellWindow::Button::Ignore);
    return result;
}

void TForm2::ShowWindow() {
    if (shown_)
        return;
    shown_ = true;
    io_.window.Place(options_.Left, options_.Top);
    io_.window.SetCheckBoxes(options_.IgnoreCapital, options_.IgnoreNumeric);
    io_.window.Show();
}

void TForm2::ShowList(const std::string& word, const std::string& replacement,
                      std::vector<std::string> items, ListKind kind) {
    ShowWindow();
    listKind_ = kind;
    list_ = std::move(items);
    io_.window.SetWord(word);
    io_.window.SetReplacement(replacement);
    io_.window.SetSuggestions(list_);
}

void TForm2::ClearFields() {
    wordLength_ = -1;
    list_.clear();
    listKind_ = ListKind::Suggestions;
    io_.window.SetWord("");
    io_.window.SetReplacement("");
    io_.window.SetSuggestions({});
}

void TForm2::Continue() {
    ClearFields();
    edit_->SelectChars(0);
    Scan();
}

void TForm2::IgnoreButtonClick() {
    if (inProgress_ && edit_)
        Continue();
}

void TForm2::ChangeButtonClick() {
    if (!inProgress_ || !edit_)
        return;
    const std::string replacement = io_.window.Replacement();
    // The word is selected again from its paragraph position: the selection may have
    // gone with a rewrap while the window waited.
    if (wordLength_ >= 0)
        SelectInParagraph(wordAt_.para, static_cast<std::size_t>(wordAt_.offset),
                          static_cast<std::size_t>(wordLength_));
    const int selected = edit_->SelLength();
    scan_.offset = std::max(0, scan_.offset + static_cast<int>(replacement.size()) - selected);
    edit_->SetSelText(replacement);
    Continue();
}

void TForm2::AddButtonClick() {
    if (!inProgress_ || !edit_)
        return;
    if (!word_.empty()) {
        speller_->AddSpell(word_);
        if (!AppendUserWord(word_))
            io_.prompter.Tell("Cannot open user dictionary. Maybe in use.",
                              platform::Severity::Error);
    }
    Continue();
}

bool TForm2::AppendUserWord(const std::string& word) {
    std::string bytes, error;
    if (!editor::ReplaceFileRead(options_.userDictionary, bytes, error))
        return false;
    if (!bytes.empty() && bytes.back() != '\n')
        bytes += '\n';
    bytes += word;
    bytes += '\n';
    return editor::ReplaceFileWrite(options_.userDictionary, bytes, error);
}

void TForm2::UndoButtonClick() {
    if (!inProgress_ || !edit_)
        return;
    if (edit_->Modified())
        edit_->Undo();
    else
        io_.prompter.Tell("No more Undo.");
    // Go on from the blank before the word at the caret, so the word is looked at again.
    int x = edit_->CaretX(), y = edit_->CaretY();
    edit_->DisplayToLogical(x, y);
    const std::string text = ParagraphText(y);
    std::size_t at = std::min(static_cast<std::size_t>(std::max(0, x)), text.size());
    while (at > 0) {
        const std::size_t prev = text::PrevCharPos(text, at);
        if (text[prev] == ' ') {
            at = prev;
            break;
        }
        at = prev;
    }
    scan_ = {y, static_cast<int>(at)};
    previousWord_.clear();
    Continue();
}

void TForm2::FromBeginningButtonClick() {
    if (!inProgress_ || !edit_)
        return;
    int start = 0;
    const int count = ParagraphCount();
    for (int p = 0; p < count; ++p) {
        if (ParagraphText(p).starts_with("Subject: ")) {
            start = p;
            break;
        }
    }
    int x = 0, y = start;
    edit_->LogicalToDisplay(x, y);
    edit_->MoveCaretTo(x, y);
    scan_ = {start, 0};
    previousWord_.clear();
    ClearFields();
    Scan();
}

void TForm2::ListBoxSelected1(int index) {
    if (listKind_ != ListKind::Suggestions || index < 0 ||
        static_cast<std::size_t>(index) >= list_.size())
        return;
    io_.window.SetReplacement(list_[static_cast<std::size_t>(index)]);
}

void TForm2::CheckBoxCapitalClick(bool checked) {
    options_.IgnoreCapital = checked;
}

void TForm2::CheckBoxNumericClick(bool checked) {
    options_.IgnoreNumeric = checked;
}

void TForm2::ExitButtonClick() {
    OnClose1();
}

void TForm2::OnClose1() {
    if (inProgress_)
        Finish(true);
}

void TForm2::Finish(bool closeWindow) {
    if (shown_ && closeWindow) {
        SpellWindowState state{0, 0, options_.IgnoreNumeric, options_.IgnoreCapital};
        io_.window.Position(state.Left, state.Top);
        io_.window.Close();
        if (io_.saveState)
            io_.saveState(state);
    }
    if (edit_) {
        int x = startCaret_.offset, y = startCaret_.para;
        edit_->LogicalToDisplay(x, y);
        edit_->MoveCaretTo(x, y);
    }
    shown_ = false;
    speller_.reset();
    edit_ = nullptr;
    list_.clear();
    inProgress_ = false;
}

}  // namespace varnel::tools
