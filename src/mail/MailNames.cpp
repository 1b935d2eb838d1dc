// Mail file and folder naming rules.
#include "mail/MailNames.h"

#include "text/Sjis.h"

namespace varnel::mail {

std::string DirectoryOf(std::string_view path) {
    const auto p = path.rfind('/');
    if (p == std::string_view::npos)
        return {};
    if (p == 0)
        return "/";
    return std::string(path.substr(0, p));
}

std::string FileNameOf(std::string_view path) {
    const auto p = path.rfind('/');
    return std::string(p == std::string_view::npos ? path : path.substr(p + 1));
}

bool IsMailFile(std::string_view path) {
    const std::string name = FileNameOf(path);
    if (name.size() != 8)
        return false;
    for (int i = 0; i < 4; ++i) {
        if (name[i] < '0' || name[i] > '9')
            return false;
    }
    return text::ToLowerAscii(name.substr(4)) == ".txt";
}

std::string MailNumberOf(std::string_view path) {
    return IsMailFile(path) ? FileNameOf(path).substr(0, 4) : std::string();
}

bool IsTrashFolder(std::string_view folder) {
    const std::string name = text::ToLowerAscii(FileNameOf(folder));
    return name == "trash.can" || name.find("trash") != std::string::npos;
}

std::string FolderFileOf(std::string_view mailFile) {
    const std::string dir = DirectoryOf(mailFile);
    return dir + (IsTrashFolder(dir) ? ".can" : ".fld");
}

bool IsInOutFolder(std::string_view path) {
    return text::ToLowerAscii(FileNameOf(DirectoryOf(path))) == "out";
}

bool IsComposeFile(std::string_view path) {
    const std::string name = text::ToLowerAscii(FileNameOf(path));
    const bool pelTemp = name.size() >= 8 && name.compare(0, 4, "_pel") == 0 &&
                         name.compare(name.size() - 4, 4, ".tmp") == 0;
    return pelTemp || IsInOutFolder(path);
}

}  // namespace varnel::mail
