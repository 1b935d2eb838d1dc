// The main window's working files: the save question before the shown text is replaced,
// save and save-as, and writing the editor text.
#include "app/CloseFlow.h"
#include "app/TForm1.h"
#include "mail/MailNames.h"

namespace varnel::app {
namespace {

constexpr std::string_view kSaveAsFilter = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*";
constexpr std::string_view kSaveAsExt = "txt";

constexpr text::Message kUseSend{"Use SEND MAIL, or attached files will be lost.",
                                 "添付ファイルが保存されないので「送信」を使ってください"};
constexpr text::Message kBackupOnly{
    "BACKUP SAVING ONLY -- Continue editing on the same file.\nAttached files to the original "
    "mail will not be saved.",
    "もとのメールに添付されていたファイルが保存できないのでバックアップ保存となり\n"
    "編集中のファイル名は変わりません"};
constexpr text::Message kCannotSave{"The text was not saved.\n%s",
                                    "テキストは保存されていません\n%s"};

}  // namespace

bool TForm1::CanLeaveCurrent() {
    return CloseQuery({false, sonEdit1_.Modified(), CurrentMailFile, settings_.view.EnglishMenu},
                      io_.prompter, [this] {
                          Save1Click();
                          return SaveSucceeded;
                      });
}

void TForm1::ShowText(std::string_view text, bool isFile) {
    sonEdit1_.SetText(text);
    textIsFile_ = isFile;
    io_.view.ShowText();
}

void TForm1::RestartAutosave() {
    io_.Timer3.SetEnabled(false);
    io_.Timer3.SetEnabled(!sonEdit1_.ReadOnly && settings_.edit.AutoSave && sonEdit1_.Modified());
}

bool TForm1::WriteFile(const std::string& path) {
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
