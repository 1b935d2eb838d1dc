// The HTML part in the browser, opening an attachment, and the shown text as a web page.
#include <filesystem>
#include <string>

#include "app/AttachedFile.h"
#include "app/DangerousFile.h"
#include "app/EditorParagraphs.h"
#include "app/HeaderOptionsFrom.h"
#include "app/TForm1.h"
#include "app/WebPage.h"
#include "editor/ReplaceFile.h"
#include "mail/AttachmentData.h"
#include "mail/HtmlPart.h"
#include "text/CommandSplit.h"
#include "text/Cp932.h"
#include "text/Sjis.h"

namespace varnel::app {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kSummaryStart = ".------ Attached";
constexpr text::Message kNoDirectory{"No directory specified.", "ディレクトリが指定されていません"};
constexpr text::Message kNotDecoded{
    "This line is text of the mail, not an attachment that Varnel found in it: nothing is "
    "saved or opened.",
    "この行はメールの本文で、Varnel が見つけた添付ファイルではありません。保存も表示もしません。"};
constexpr text::Message kMailChanged{
    "The mail file has changed since it was shown; open it again.\n%s",
    "表示した後でメールファイルが変わりました。開き直してください。\n%s"};
constexpr text::Message kCannotSave{"Cannot save the attachment: %s",
                                    "添付ファイルを保存できません: %s"};
constexpr text::Message kSizeDiffers{
    "File size does not match.\nTwo files differ in size by %s bytes.\r\nDo you still want to "
    "open?",
    "同名のファイルがありますがファイルサイズが違います\n%"
    "sバイトの違いです\r\nかまわずに開きますか？"};
constexpr text::Message kNoExtension{"Saved as %s.\nA file without an extension is not opened.",
                                     "%s に保存しました。\n拡張子のないファイルは開きません。"};
constexpr text::Message kCannotStart{"Cannot start the program: %s",
                                     "プログラムを起動できません: %s"};
constexpr text::Message kCannotOpen{"Cannot open %s", "%s を開けません"};
constexpr text::Message kRiskyTags{"Risky tags\n<SCRIPT>, <OBJECT> or <APPLET> exists. Continue?",
                                   "危険なメールの可能性\n<SCRIPT>, <OBJECT> or "
                                   "<APPLET>があります。続けますか？"};
constexpr text::Message kNoHtml{"This mail has no HTML part.",
                                "このメールにはHTMLパートがありません"};
constexpr text::Message kCannotWrite{"Cannot write the file for the browser: %s",
                                     "ブラウザに渡すファイルを書けません: %s"};

}  // namespace

const mail::PrivateTempDir* TForm1::PrivateDir() {
    if (!privateDir_) {
        std::string error;
        privateDir_ = mail::PrivateTempDir::Create(error);
        if (!privateDir_)
            io_.prompter.Tell(error, platform::Severity::Error);
    }
    return privateDir_.get();
}

void TForm1::ShowInBrowser(const std::string& path) {
    StartWithFile(settings_.location.WebBrowserPath.empty() ? std::string("xdg-open")
                                                            : settings_.location.WebBrowserPath,
                  path);
}

// The command from the settings (CP932, split by shell-like quoting) with the file, a
// native path, as its last argument; no shell.
void TForm1::StartWithFile(const std::string& command, const std::string& path) {
    std::vector<std::string> argv;
    std::string error;
    if (text::SplitCommand(command, argv, &error) && !argv.empty()) {
        for (std::string& a : argv)
            a = text::Cp932ToUtf8(a);
        argv.push_back(path);
        if (io_.launcher.Start(argv, error))
            return;
    }
    io_.prompter.Tell(
        kCannotStart.Format(settings_.view.EnglishMenu, text::Cp932ToUtf8(command) + "\n" + error),
        platform::Severity::Error);
}

void TForm1::OpenWithDesktop(const std::string& path) {
    if (IsDangerousFile(path, settings_.view.DontExecuteExt) &&
        io_.prompter.Ask(kHarmfulFileQuestion.Format(settings_.view.EnglishMenu, path),
                         platform::Buttons::YesNo,
                         platform::Severity::Warning) != platform::Answer::Yes)
        return;
    std::string error;
    if (!io_.launcher.OpenWithDesktop(path, error))
        io_.prompter.Tell(kCannotOpen.Format(settings_.view.EnglishMenu, path + "\n" + error),
                          platform::Severity::Error);
}

// The attachment is decoded again from the file as it is now: the decoding must find
// the same summary line at the same place, or the file has changed under the window.
bool TForm1::SaveAttachment(std::size_t ordinal, const std::string& file) {
    std::string bytes, error;
    if (!editor::ReplaceFileRead(CurrentMailFile, bytes, error)) {
        io_.prompter.Tell(kCannotSave.Format(settings_.view.EnglishMenu, error),
                          platform::Severity::Error);
        return false;
    }
    mail::DecodeState state;
    state.rewriteFile = false;
    state.europeanFontOn = europeanFontOn_;
    const mail::DecodedMail d =
        mail::DecodeMailForDisplay(CurrentMailFile, bytes, HeaderOptionsFrom(settings_), state);
    if (ordinal >= d.attachments.size() ||
        d.attachments[ordinal].line != shownAttachments_[ordinal].line) {
        io_.prompter.Tell(kMailChanged.Format(settings_.view.EnglishMenu, CurrentMailFile),
                          platform::Severity::Error);
        return false;
    }
    std::error_code ec;
    fs::create_directories(fs::path(file).parent_path(), ec);  // a failure shows in the write
    if (!editor::ReplaceFileWrite(file, mail::AttachmentBytes(bytes, d.attachments[ordinal]),
                                  error)) {
        io_.prompter.Tell(kCannotSave.Format(settings_.view.EnglishMenu, error),
                          platform::Severity::Error);
        return false;
    }
    return true;
}

void TForm1::OpenAttachedFile1Click() {
    const int para = ParagraphOfLine(sonEdit1_, sonEdit1_.CaretY());
    const std::string line(text::TrimLineEnds(sonEdit1_.GetParagraphText(sonEdit1_.CaretY())));
    if (!line.starts_with(kSummaryStart))
        return;
    // Only a line the decoder wrote, where it wrote it, stands for an attachment.
    std::size_t ordinal = 0;
    while (ordinal < shownAttachments_.size() &&
           (shownAttachments_[ordinal].displayIndex != static_cast<std::size_t>(para) ||
            shownAttachments_[ordinal].line != line))
        ++ordinal;
    if (ordinal == shownAttachments_.size()) {
        io_.prompter.Tell(Say(kNotDecoded), platform::Severity::Warning);
        return;
    }
    std::string dir = settings_.location.DecodeDir;
    while (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    if (dir.empty()) {
        io_.prompter.Tell(Say(kNoDirectory), platform::Severity::Warning);
        return;
    }
    if (dir.front() != '/')
        dir = setup_.workingDirectory + "/" + dir;
    const std::string file = dir + "/" + AttachmentFileName(shownAttachments_[ordinal].name);

    std::error_code ec;
    if (!fs::exists(fs::symlink_status(file, ec))) {
        if (!SaveAttachment(ordinal, file))
            return;
    } else if (const auto shown = SummaryLineSize(line)) {
        const std::uintmax_t onDisk = fs::file_size(file, ec);
        if (!ec && onDisk != *shown) {
            const std::uintmax_t d = onDisk > *shown ? onDisk - *shown : *shown - onDisk;
            if (io_.prompter.Ask(kSizeDiffers.Format(settings_.view.EnglishMenu, std::to_string(d)),
                                 platform::Buttons::OkCancel,
                                 platform::Severity::Question) != platform::Answer::Ok)
                return;
        }
    }
    if (!HasOpenableExtension(file)) {
        io_.prompter.Tell(kNoExtension.Format(settings_.view.EnglishMenu, file));
        return;
    }
    OpenWithDesktop(file);
}

// The HTML part, its transfer encoding undone, goes to "_varnel.htm" in the private
// directory (a multipart/related mail goes whole to "_varnel.mht" beside it). Active
// content is asked about: Yes shows it in the browser, No in the TesraExe viewer.
void TForm1::HtmlMail1Click() {
    if (CurrentMailFile.empty())
        return;
    std::string bytes, error;
    if (!editor::ReplaceFileRead(CurrentMailFile, bytes, error)) {
        io_.prompter.Tell(
            kCannotOpen.Format(settings_.view.EnglishMenu, CurrentMailFile + "\n" + error),
            platform::Severity::Error);
        return;
    }
    const mail::HtmlPart part = mail::ExtractHtmlPart(bytes);
    if (!part.found) {
        io_.prompter.Tell(Say(kNoHtml));
        return;
    }
    const mail::PrivateTempDir* dir = PrivateDir();
    if (!dir)
        return;
    std::string shown = dir->FilePath("_varnel.htm");
    bool written = dir->WriteFile("_varnel.htm", part.html, error);
    if (written && shownRelated_) {
        shown = dir->FilePath("_varnel.mht");
        written = dir->WriteFile("_varnel.mht", bytes, error);
    }
    if (!written) {
        io_.prompter.Tell(kCannotWrite.Format(settings_.view.EnglishMenu, error),
                          platform::Severity::Error);
        return;
    }
    if (part.risky && io_.prompter.Ask(Say(kRiskyTags), platform::Buttons::YesNo,
                                       platform::Severity::Warning) != platform::Answer::Yes) {
        if (!settings_.location.TesraExe.empty())
            StartWithFile(settings_.location.TesraExe, shown);
        return;
    }
    ShowInBrowser(shown);
}

// The selected paragraphs (a selection ending at column 0 leaves out its last line), or
// the whole text, as a web page in the browser.
void TForm1::DecodeNumberPart1Click() {
    std::vector<std::string> paragraphs = EditorParagraphs(sonEdit1_);
    int x1 = 0, y1 = 0, y2 = 0, x2 = 0;
    if (sonEdit1_.GetSelRange(x1, y1, y2, x2)) {
        const auto first = static_cast<std::size_t>(ParagraphOfLine(sonEdit1_, y1));
        const auto last = static_cast<std::size_t>(ParagraphOfLine(sonEdit1_, y2));
        paragraphs = std::vector<std::string>(
            paragraphs.begin() + static_cast<std::ptrdiff_t>(first),
            paragraphs.begin() +
                static_cast<std::ptrdiff_t>(std::min(last + 1, paragraphs.size())));
    }
    const mail::PrivateTempDir* dir = PrivateDir();
    if (!dir)
        return;
    std::string error;
    if (!dir->WriteFile("_varnel.htm", TextAsWebPage(paragraphs, europeanFontOn_), error)) {
        io_.prompter.Tell(kCannotWrite.Format(settings_.view.EnglishMenu, error),
                          platform::Severity::Error);
        return;
    }
    ShowInBrowser(dir->FilePath("_varnel.htm"));
}

}  // namespace varnel::app
