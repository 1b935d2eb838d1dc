// Links and outside programs: the launcher, opening a link, the web-browser and mail-to
// commands, and the Help menu.
#include <string>
#include <vector>

#include "app/LinkScan.h"
#include "app/TForm1.h"
#include "text/CommandSplit.h"
#include "text/Cp932.h"
#include "text/Sjis.h"

namespace varnel::app {
namespace {

constexpr text::Message kCannotStart{"Cannot start the program: %s",
                                     "プログラムを起動できません: %s"};

// The local path of a "file:" link ("file:///p", "file://localhost/p" or "file:p").
std::string FileLinkPath(std::string_view link) {
    std::string_view rest = link.substr(5);
    if (rest.starts_with("//")) {
        rest.remove_prefix(2);
        if (rest.starts_with("localhost"))
            rest.remove_prefix(9);
    }
    return std::string(rest);
}

}  // namespace

// The command is split once by shell-like quoting; the arguments follow as they are,
// each one word, never cut and never seen by a shell. Empty arguments are left out.
bool TForm1::LaunchProgram(const std::string& command, const std::vector<std::string>& args) {
    std::vector<std::string> argv;
    std::string error;
    if (!text::SplitCommand(command, argv, &error) || argv.empty()) {
        io_.prompter.Tell(kCannotStart.Format(settings_.view.EnglishMenu,
                                              text::Cp932ToUtf8(command) + " " + error),
                          platform::Severity::Error);
        return false;
    }
    for (const std::string& a : args)
        if (!a.empty())
            argv.push_back(a);
    for (std::string& a : argv)
        a = text::Cp932ToUtf8(a);
    if (!io_.launcher.Start(argv, error)) {
        io_.prompter.Tell(kCannotStart.Format(settings_.view.EnglishMenu, error),
                          platform::Severity::Error);
        return false;
    }
    return true;
}

// Mail addresses go to the mailer, files to the desktop after the dangerous-file
// question, everything else with a scheme to the configured browser or xdg-open.
void TForm1::OpenLink(const std::string& link) {
    if (text::StartsWithNoCase(link, "mailto:")) {
        LaunchProgram(settings_.mailer.MailerExe, {"-mailto", link.substr(7)});
        return;
    }
    if (text::StartsWithNoCase(link, "file:")) {
        const std::string path = FileLinkPath(link);
        if (path.empty())
            return;
        // Checked and opened under its native name: the executable bit of a file with a
        // Japanese name is found only there.
        OpenWithDesktop(text::Cp932ToUtf8(path));
        return;
    }
    // A text without a scheme ("\\server\share", "httpfoo") would be taken for a local
    // file by the desktop's handler: it is not opened.
    if (!HasScheme(link))
        return;
    if (!settings_.location.WebBrowserPath.empty())
        LaunchProgram(settings_.location.WebBrowserPath, {link});
    else
        LaunchProgram("xdg-open", {link});
}

void TForm1::Webbrowser1Click() {
    if (sonEdit1_.HasSelection()) {
        const std::string selection(text::TrimLineEnds(sonEdit1_.GetSelText()));
        if (IsLinkSelection(selection))
            OpenLink(selection);
        return;
    }
    int x = sonEdit1_.CaretX();
    int y = sonEdit1_.CaretY();
    const std::string line(text::TrimLineEnds(sonEdit1_.GetParagraphText(y)));
    if (line.starts_with(".------ Attached")) {
        OpenAttachedFile1Click();
        return;
    }
    sonEdit1_.DisplayToLogical(x, y);
    if (const std::optional<std::string> link = LinkAt(line, static_cast<std::size_t>(x)))
        OpenLink(*link);
}

// In viewer mode: the selected address goes to the mailer, a bare one in double
// quotes, a "name" <address> form without what stands between the name and "<".
void TForm1::MailTo2Click() {
    if (!sonEdit1_.ReadOnly || !sonEdit1_.HasSelection())
        return;
    std::string s(text::TrimLineEnds(sonEdit1_.GetSelText()));
    if (s.empty())
        return;
    const std::size_t quote = text::FindLast(s, "\"");
    if (quote != std::string::npos) {
        const std::size_t lt = text::FindChar(s, '<', quote + 1);
        s = s.substr(0, quote + 1) + (lt == std::string::npos ? "" : s.substr(lt));
    } else {
        s = "\"" + s + "\"";
    }
    LaunchProgram(settings_.mailer.MailerExe, {"-mailto", s});
}

}  // namespace varnel::app

namespace varnel::app {

// The program's name and version, and where its settings are read from.
void TForm1::About1Click() {
    io_.prompter.Tell("Varnel32 for Linux " VARNEL_VERSION "\n" + setup_.settingsPath);
}

}  // namespace varnel::app
