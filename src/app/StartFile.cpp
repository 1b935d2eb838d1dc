// Classification of the start-up file.
#include "app/StartFile.h"

#include "mail/MailNames.h"
#include "text/Sjis.h"

namespace varnel::app {

StartFile ClassifyStartFile(std::string_view fileName, bool replyConfirm) {
    StartFile s;
    s.compose = !fileName.empty() && mail::IsComposeFile(fileName);
    s.OpenPrefix = std::string(s.compose ? kComposeOpenPrefix : kViewerOpenPrefix);
    // Only the file's own name is looked at: a directory such as "build.tmp" does not
    // make a mail a mailer temporary file.
    const std::string name = text::ToLowerAscii(mail::FileNameOf(fileName));
    s.waitForMailer =
        replyConfirm && text::Contains(name, ".tmp") && !text::Contains(name, "_varnel");
    return s;
}

std::string AbsoluteStartPath(const std::string& name, const std::string& workingDirectory) {
    if (name.empty() || name[0] == '/' || workingDirectory.empty())
        return name;
    std::string rel = name;
    while (rel.size() > 2 && rel.compare(0, 2, "./") == 0)
        rel.erase(0, 2);
    if (workingDirectory.back() == '/')
        return workingDirectory + rel;
    return workingDirectory + "/" + rel;
}

bool InitialReadOnly(bool editSwitchGiven, std::string_view path) {
    return !(editSwitchGiven && mail::IsInOutFolder(path));
}

platform::WindowIcon StartIcon(bool editIcon, bool compose, std::string_view executablePath) {
    if (editIcon || compose)
        return platform::WindowIcon::Editing;
    const std::string name = text::ToLowerAscii(mail::FileNameOf(executablePath));
    if (name == "varnel32" || name == "varnel" || name == "varnl32" || name == "varn32")
        return platform::WindowIcon::Default;
    return platform::WindowIcon::Alternative;
}

}  // namespace varnel::app
