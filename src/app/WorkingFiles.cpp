// The main window's working files: the save question before the shown text is replaced,
// new, open, save and save-as, autosave, the mailer's temporary files.
#include <filesystem>

#include "app/CloseFlow.h"
#include "app/TForm1.h"
#include "app/TempFiles.h"
#include "editor/ReplaceFile.h"
#include "mail/MailNames.h"
#include "text/Sjis.h"

namespace varnel::app {
namespace {

constexpr std::string_view kSaveAsFilter = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*";
constexpr std::string_view kSaveAsExt = "txt";
constexpr std::string_view kOpenFilter =
    "Pelk files|*.ini;*.def;*.cmp;*.sig;*.ali|Text files|*.txt|All files|*.*";
constexpr std::string_view kOpenMailFilter = "Pelk mail|????.txt";

constexpr text::Message kUseSend{"Use SEND MAIL, or attached files will be lost.",
                                 "添付ファイルが保存されないので「送信」を使ってください"};
constexpr text::Message kBackupOnly{
    "BACKUP SAVING ONLY -- Continue editing on the same file.\nAttached files to the original "
    "mail will not be saved.",
    "もとのメールに添付されていたファイルが保存できないのでバックアップ保存となり\n"
    "編集中のファイル名は変わりません"};
constexpr text::Message kCannotSave{"The text was not saved.\n%s",
                                    "テキストは保存されていません\n%s"};
constexpr text::Message kCannotAutosave{"The automatic backup was not written.\n%s",
                                        "自動バックアップを書き込めませんでした\n%s"};
constexpr text::Message kNotPelkMail{"This is not a Pelk mail file.",
                                     "ペルクのファイルではありません"};
constexpr text::Message kNoTempFile{"No temporary file in %s", "%s には一時ファイルがありません"};
constexpr text::Message kDeleteComplete{"File delete complete.", "ファイルは削除されました"};
constexpr text::Message kCannotDelete{"Some files could not be deleted:\n%s",
                                      "削除できなかったファイルがあります:\n%s"};
// English only.
constexpr std::string_view kDeletingAll = "Deleting all temporary and backup files.";

}  // namespace

bool TForm1::CanLeaveCurrent() {
    return CloseQuery({false, sonEdit1_.Modified(), CurrentMailFile, settings_.view.EnglishMenu},
                      io_.prompter, [this] {
                          Save1Click();
                          return SaveSucceeded;
                      });
}

void TForm1::New1Click() {
    if (!CanLeaveCurrent())
        return;
    ForwardTail.reset();
    temporaryViewerColor_.reset();
    CurrentMailFile.clear();
    ShowText("", false);
    ApplyMode();
    // Seam: the input-method setting (IMEcontrol) is applied here.
}

void TForm1::FileOpenClick() {
    if (!CanLeaveCurrent())
        return;
    const std::optional<std::string> path =
        io_.dialogs.AskOpen(mail::DirectoryOf(CurrentMailFile), std::string(kOpenFilter));
    if (path)
        LoadPlainText(*path);
    // Seam: the HTML-mail flag of the HTML tools is cleared here.
}

// Only a mail file of the mailer's shape (an eight-character name ending ".txt") opens
// as a mail.
void TForm1::Open2Click() {
    if (!CanLeaveCurrent())
        return;
    const std::optional<std::string> path =
        io_.dialogs.AskOpen(mail::DirectoryOf(CurrentMailFile), std::string(kOpenMailFilter));
    if (!path)
        return;
    const std::string name = mail::FileNameOf(*path);
    if (name.size() != 8 || !text::ToLowerAscii(name).ends_with(".txt")) {
        io_.prompter.Tell(Say(kNotPelkMail), platform::Severity::Warning);
        return;
    }
    OpenMailFile(*path);
    RecordInHistory();
}

bool TForm1::LoadPlainText(const std::string& path) {
    editor::TSonStrings loaded;
    std::string error;
    if (!loaded.LoadFromFile(path, error)) {
        io_.prompter.Tell(path + "\n" + error, platform::Severity::Error);
        return false;
    }
    CurrentMailFile = path;  // as given: Linux names are case-sensitive
    Neighbours = {};         // a plain file has no next or previous mail
    ForwardTail.reset();
    temporaryViewerColor_.reset();
    ShowText(loaded.GetTextStr(), true);
    ApplyMode();
    return true;
}

void TForm1::TempFile1Click() {
    if (!CanLeaveCurrent())
        return;
    const std::string dir = TempDirectory(settings_.location.TempPath, setup_.env);
    std::string bytes, error;
    std::optional<std::string> found;
    if (!CurrentMailFile.empty() && editor::ReplaceFileRead(CurrentMailFile, bytes, error))
        found = FindTempFile(dir, TempFileKey(bytes));
    if (!found) {
        io_.prompter.Tell(kNoTempFile.Format(settings_.view.EnglishMenu, dir));
        return;
    }
    LoadPlainText(*found);
}

// The mailer's compose files and their backups in the temporary directory, and the
// autosave backups beside the shown file (none when nothing is shown).
void TForm1::Deletetempfiles2Click() {
    if (io_.prompter.Ask(std::string(kDeletingAll), platform::Buttons::OkCancel,
                         platform::Severity::Warning) != platform::Answer::Ok)
        return;
    const std::string dir = TempDirectory(settings_.location.TempPath, setup_.env);
    std::vector<std::string> files = FilesMatching(dir, "?pel????.tmp");
    for (std::string& f : FilesMatching(dir, "?pel????.bak"))
        files.push_back(std::move(f));
    if (!CurrentMailFile.empty()) {
        for (std::string& f : FilesMatching(mail::DirectoryOf(CurrentMailFile), "????.bak"))
            files.push_back(std::move(f));
    }
    std::string failed;
    for (const std::string& f : files) {
        std::error_code ec;
        if (!std::filesystem::remove(f, ec) && ec)
            failed += f + ": " + ec.message() + "\n";
    }
    if (!failed.empty())
        io_.prompter.Tell(kCannotDelete.Format(settings_.view.EnglishMenu, failed),
                          platform::Severity::Error);
    io_.prompter.Tell(Say(kDeleteComplete));
}

// An untitled text is backed up in the settings directory's "autosave" folder; a file
// with AutoSaveExtChange beside itself as ".bak". Only the file's own text is written
// over the file itself, and never while a forward tail still reads it.
std::string TForm1::AutosavePath() const {
    if (CurrentMailFile.empty()) {
        const std::string dir = mail::DirectoryOf(setup_.settingsPath);
        return (dir.empty() ? std::string(".") : dir) + "/autosave/Untitled.bak";
    }
    if (settings_.edit.AutoSaveExtChange || ForwardTail || !textIsFile_)
        return BackupNameOf(CurrentMailFile);
    return CurrentMailFile;
}

// The modified flag stays: the timer goes on until the text is saved.
void TForm1::OnTimer3() {
    if (sonEdit1_.ReadOnly || !sonEdit1_.Modified())
        return;
    const std::string path = AutosavePath();
    std::string error;
    if (!editor::ReplaceFileWrite(path, sonEdit1_.Text(), error,
                                  {.createDirectories = CurrentMailFile.empty()}))
        io_.prompter.Tell(kCannotAutosave.Format(settings_.view.EnglishMenu, error),
                          platform::Severity::Warning);
}

void TForm1::ShowText(std::string_view text, bool isFile) {
    EndSpellCheck();
    sonEdit1_.SetText(text);
    textIsFile_ = isFile;
    shownAttachments_.clear();
    io_.view.ShowText();
}

void TForm1::ShowText(std::vector<std::string>&& lines, bool finalLineEnd, bool isFile) {
    EndSpellCheck();
    sonEdit1_.SetLines(std::move(lines), finalLineEnd);
    textIsFile_ = isFile;
    shownAttachments_.clear();
    io_.view.ShowText();
}

void TForm1::RestartAutosave() {
    io_.Timer3.SetEnabled(false);
    io_.Timer3.SetEnabled(!sonEdit1_.ReadOnly && settings_.edit.AutoSave && sonEdit1_.Modified());
}

bool TForm1::WriteFile(const std::string& path) {
    WritePendingMarkRead();
    std::string error;
    const bool written = sonEdit1_.SaveFile(path, error);
    if (!written)
        io_.prompter.Tell(kCannotSave.Format(settings_.view.EnglishMenu, error),
                          platform::Severity::Error);
    RestartAutosave();
    return written;
}

// Plain saving writes back only the file's own text in editor mode; a decoded mail, a
// text shown in viewer mode and an untitled text go through save-as.
void TForm1::Save1Click() {
    SaveSucceeded = true;
    if (ForwardTail) {
        io_.prompter.Tell(Say(kUseSend), platform::Severity::Warning);
        SaveSucceeded = false;
        return;
    }
    if (!CurrentMailFile.empty() && !sonEdit1_.ReadOnly && textIsFile_) {
        SaveSucceeded = WriteFile(CurrentMailFile);
        if (SaveSucceeded)
            sonEdit1_.SetModified(false);
        return;
    }
    const std::optional<std::string> remembered = SaveAsDir;
    SaveAsFrom(mail::DirectoryOf(CurrentMailFile));
    SaveAsDir = remembered;
}

void TForm1::SaveAs1Click() {
    SaveAsFrom(SaveAsDir && !SaveAsDir->empty() ? *SaveAsDir : mail::DirectoryOf(CurrentMailFile));
}

// With a forward tail open the written file is only a backup: the attachments stay with
// the draft, which goes on being edited under its own name.
bool TForm1::SaveAsFrom(const std::string& startDir) {
    SaveSucceeded = false;
    const std::optional<std::string> path =
        io_.dialogs.AskSave(startDir, mail::FileNameOf(CurrentMailFile), std::string(kSaveAsFilter),
                            std::string(kSaveAsExt));
    if (!path || !WriteFile(*path))
        return false;
    SaveSucceeded = true;
    if (ForwardTail) {
        io_.prompter.Tell(Say(kBackupOnly), platform::Severity::Information);
    } else {
        CurrentMailFile = *path;  // as chosen: Linux names are case-sensitive
        textIsFile_ = true;
        sonEdit1_.SetModified(false);
    }
    SaveAsDir = mail::DirectoryOf(CurrentMailFile);
    ApplyMode();
    return true;
}

}  // namespace varnel::app
