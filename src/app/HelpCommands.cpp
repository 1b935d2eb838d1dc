// The Help menu's pages and mail, and the pop-up's Open File: the help page installed
// with the program's data, the author's address and web page, and a file named by the
// selected text.
#include <filesystem>
#include <string>

#include "app/LinkScan.h"
#include "app/TForm1.h"
#include "text/Cp932.h"

#ifndef VARNEL_FEEDBACK_ADDRESS
#define VARNEL_FEEDBACK_ADDRESS "varnel32@example.org"
#endif
#ifndef VARNEL_WEB_PAGE
#define VARNEL_WEB_PAGE "https://varnel32.example.org/"
#endif

namespace varnel::app {
namespace {

constexpr std::string_view kHelpPage = "vnl_help.htm";
constexpr text::Message kNoHelp{"The help page %s is not installed.",
                                "ヘルプファイル %s がインストールされていません"};
constexpr text::Message kNoFile{"No such file: %s", "ファイルがありません: %s"};

// A local path as a file URL: every byte outside the unreserved set and "/" escaped.
std::string FileUrl(std::string_view path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (const char ch : path) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
            c == '-' || c == '.' || c == '_' || c == '~' || c == '/') {
            url += ch;
        } else {
            url += '%';
            url += kHex[c >> 4];
            url += kHex[c & 15];
        }
    }
    return url;
}

}  // namespace

// The configured browser, else the desktop's handler for the URL.
void TForm1::OpenInBrowser(const std::string& url) {
    const std::string& browser = settings_.location.WebBrowserPath;
    LaunchProgram(browser.empty() ? std::string("xdg-open") : browser, {url});
}

// The page is looked for where the program's data is installed, never in the working
// directory.
void TForm1::Contents1Click() {
    const std::string page = SideFile(kHelpPage);
    if (page.empty()) {
        io_.prompter.Tell(kNoHelp.Format(settings_.view.EnglishMenu, std::string(kHelpPage)),
                          platform::Severity::Error);
        return;
    }
    OpenInBrowser(FileUrl(std::filesystem::absolute(page).lexically_normal().string()));
}

void TForm1::MailtoAuthor1Click() {
    LaunchProgram(settings_.mailer.MailerExe,
                  {"-mailto", VARNEL_FEEDBACK_ADDRESS "?subject=Varnel32"});
}

void TForm1::VarnelWebPage1Click() {
    OpenLink(VARNEL_WEB_PAGE);
}

// The selected text names a file (absolute, "~/", or relative to DecodeDir, where
// attachments are saved) or is a link. A file that could run a program is opened only
// after a Yes.
void TForm1::OpenFile1Click() {
    std::string selected = sonEdit1_.GetSelText();
    if (selected.ends_with("\r\n"))
        selected.resize(selected.size() - 2);
    if (selected.empty())
        return;
    // "C:\..." is a Windows drive, not a scheme.
    if (HasScheme(selected) && selected.find(':') > 1) {
        OpenLink(selected);
        return;
    }
    std::string path = text::Cp932ToUtf8(selected);
    const std::string home = setup_.env ? setup_.env("HOME") : std::string();
    const std::string& decodeDir = settings_.location.DecodeDir;
    if (path.starts_with("~/") && !home.empty())
        path = home + path.substr(1);
    else if (!path.starts_with("/") && !decodeDir.empty())
        path = decodeDir + "/" + path;
    std::error_code ec;
    if (!path.starts_with("/") || !std::filesystem::exists(path, ec)) {
        io_.prompter.Tell(kNoFile.Format(settings_.view.EnglishMenu, path),
                          platform::Severity::Error);
        return;
    }
    OpenWithDesktop(path);
}

}  // namespace varnel::app
