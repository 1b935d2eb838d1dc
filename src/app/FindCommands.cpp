// Find, Find Next and Replace: the modeless find dialog, and the window's comparison
// for the editor's search (exact, or with ASCII letters folded; never a trail byte).
#include <string>

#include "app/IniFile.h"
#include "app/TForm1.h"
#include "text/Sjis.h"

namespace varnel::app {
namespace {

constexpr text::Message kNotFound{"Not found.", "見つかりませんでした。"};
constexpr text::Message kReadOnlyMode{"Read only mode.", "読み出し専用です"};
constexpr text::Message kReplaced{
    "Replaced %s occurrence(s).\r\nThe same string may remain at the beginning.",
    "%s 箇所置き換えました\r\n最初の方にはまだ残っている可能性があります"};
constexpr text::Message kPositionNotSaved{"The dialog position could not be saved: %s",
                                          "ダイアログの位置を保存できませんでした: %s"};

// Hits are shown in blue (0x00BBGGRR).
constexpr std::uint32_t kHitBlue = 0xFF0000;

}  // namespace

void TForm1::SetupFind() {
    editor::TSonEdit2& e = sonEdit1_;
    e.SetHitColor(kHitBlue);
    e.OnFind = [this](const std::string& str, const std::string& findchr, int, int& x, int& len) {
        const std::size_t at =
            matchCase_ ? text::Find(str, findchr) : text::FindNoCase(str, findchr);
        x = at == text::npos ? 0 : static_cast<int>(at) + 1;
        len = static_cast<int>(findchr.size());
    };
    e.OnFindNoHit = [this](const std::string&) {
        io_.prompter.Tell(Say(kNotFound));
        findText_.clear();
        searchedText_.clear();
        if (io_.findDialog)
            io_.findDialog->SetFindText("");
    };
    if (!io_.findDialog)
        return;
    platform::FindDialog& d = *io_.findDialog;
    d.onFindNext = [this](const std::string& find, platform::FindOptions o) { Search(find, o); };
    d.onReplace = [this](const std::string& find, const std::string& with,
                         platform::FindOptions o) { ReplaceOne(find, with, o); };
    d.onReplaceAll = [this](const std::string& find, const std::string& with,
                            platform::FindOptions o) { ReplaceAll(find, with, o); };
    d.onClose = [this] { FindDialogClosed(); };
}

void TForm1::Find1Click() {
    OpenFindDialog(platform::FindDialog::Kind::Find);
}

// The selection becomes the find text; with a find text the search goes on, without
// one the find dialog opens.
void TForm1::FindNext1Click() {
    if (sonEdit1_.SelLength() > 0 && sonEdit1_.GetSelText() != findText_) {
        findText_ = sonEdit1_.GetSelText();
        if (io_.findDialog)
            io_.findDialog->SetFindText(findText_);
    }
    if (findText_.empty()) {
        Find1Click();
        return;
    }
    Search(findText_, {matchCase_, true});
}

void TForm1::Replace1Click() {
    if (sonEdit1_.ReadOnly) {
        io_.prompter.Tell(Say(kReadOnlyMode));
        return;
    }
    OpenFindDialog(platform::FindDialog::Kind::Replace);
}

// While a dialog is open plain keys type into it, so they stop being shortcuts.
void TForm1::OpenFindDialog(platform::FindDialog::Kind kind) {
    if (!io_.findDialog)
        return;
    findDialogOpen_ = kind == platform::FindDialog::Kind::Find;
    replaceDialogOpen_ = !findDialogOpen_;
    AssignShortcuts();
    std::optional<platform::DialogPosition> at;
    if (settings_.findDialog.Left > 0)
        at = platform::DialogPosition{settings_.findDialog.Left, settings_.findDialog.Top};
    if (sonEdit1_.SelLength() > 0)
        findText_ = sonEdit1_.GetSelText();
    io_.findDialog->Open(kind, findText_, at, settings_.view.EnglishMenu);
}

void TForm1::FindDialogClosed() {
    findDialogOpen_ = replaceDialogOpen_ = false;
    AssignShortcuts();
    const platform::DialogPosition p = io_.findDialog->Position();
    settings_.findDialog.Left = p.left;
    settings_.findDialog.Top = p.top;
    IniFile ini(setup_.settingsPath);
    if (!ini.WriteStrings({{"FindDialog", "Left", std::to_string(p.left)},
                           {"FindDialog", "Top", std::to_string(p.top)}}) &&
        reportedWriteFailures_.insert(setup_.settingsPath + "\n" + ini.LastError()).second) {
        io_.prompter.Tell(kPositionNotSaved.Format(settings_.view.EnglishMenu,
                                                   setup_.settingsPath + ": " + ini.LastError()),
                          platform::Severity::Warning);
    }
}

// A changed find text, or one with no hit on show, starts afresh from the caret; the
// same text goes on after the hit.
void TForm1::Search(const std::string& find, platform::FindOptions options) {
    findText_ = find;
    matchCase_ = options.matchCase;
    if (find.empty())
        return;
    editor::DisplayPos at;
    int len = 0;
    if (find != searchedText_ || !sonEdit1_.Hit(at, len)) {
        sonEdit1_.FindStart(find);
        searchedText_ = find;
    }
    if (options.down)
        sonEdit1_.FindNext();
    else
        sonEdit1_.FindPrev();
}

// Replaces the hit on show (when it is the find text), then finds the next one.
void TForm1::ReplaceOne(const std::string& find, const std::string& with,
                        platform::FindOptions options) {
    if (sonEdit1_.ReadOnly) {
        io_.prompter.Tell(Say(kReadOnlyMode));
        return;
    }
    editor::DisplayPos at;
    int len = 0;
    if (find == searchedText_ && sonEdit1_.Hit(at, len) && sonEdit1_.SelLength() > 0) {
        const std::string selected = sonEdit1_.GetSelText();
        const bool same = matchCase_ ? selected == find : text::CompareNoCase(selected, find) == 0;
        if (same) {
            sonEdit1_.SetSelText(with);
            sonEdit1_.ClearHit();
            // The search goes on after the replacement, from the caret.
            sonEdit1_.FindStart(find);
        }
    }
    options.down = true;
    Search(find, options);
}

void TForm1::ReplaceAll(const std::string& find, const std::string& with,
                        platform::FindOptions options) {
    if (sonEdit1_.ReadOnly) {
        io_.prompter.Tell(Say(kReadOnlyMode));
        return;
    }
    if (find.empty())
        return;
    findText_ = find;
    matchCase_ = options.matchCase;
    searchedText_.clear();
    // The run starts at the selection, so a hit on show is replaced too.
    int x1 = 0, y1 = 0, y2 = 0, x2 = 0;
    if (sonEdit1_.GetSelRange(x1, y1, y2, x2))
        sonEdit1_.MoveCaretTo(x1, y1);
    const int count = sonEdit1_.FindChange(find, with);
    io_.prompter.Tell(kReplaced.Format(settings_.view.EnglishMenu, std::to_string(count)));
}

}  // namespace varnel::app
