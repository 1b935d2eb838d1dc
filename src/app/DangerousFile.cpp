// The dangerous-file check before a file is handed to the desktop.
#include "app/DangerousFile.h"

#include <sys/stat.h>

#include <string>

#include "text/Sjis.h"

namespace varnel::app {

std::string_view FileExtension(std::string_view name) {
    const std::size_t slash = name.rfind('/');
    const std::string_view base = slash == std::string_view::npos ? name : name.substr(slash + 1);
    const std::size_t dot = base.rfind('.');
    if (dot == std::string_view::npos || dot == 0)
        return {};
    return base.substr(dot);
}

bool IsDangerousFile(std::string_view path, std::string_view dontExecuteExt) {
    const std::string ext = text::ToLowerAscii(FileExtension(path));
    if (ext.size() > 1) {
        const std::string list = text::ToLowerAscii(dontExecuteExt) + ".desktop.sh.appimage.";
        // Whole entries only: ".sh" must not match ".shtml" in the list.
        for (std::size_t p = list.find(ext); p != std::string::npos; p = list.find(ext, p + 1)) {
            const std::size_t after = p + ext.size();
            if (after == list.size() || list[after] == '.')
                return true;
        }
    }
    struct stat st {};
    const std::string p(path);
    return ::stat(p.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           (st.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) != 0;
}

}  // namespace varnel::app
