// Private temporary directory.
#include "mail/PrivateTempDir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "editor/ReplaceFile.h"

namespace varnel::mail {

std::unique_ptr<PrivateTempDir> PrivateTempDir::Create(std::string& error) {
    const char* tmp = std::getenv("TMPDIR");
    std::string base = tmp && *tmp ? tmp : "/tmp";
    while (base.size() > 1 && base.back() == '/')
        base.pop_back();
    std::string templ = base + "/varnel-XXXXXX";
    std::vector<char> buf(templ.begin(), templ.end());
    buf.push_back('\0');
    if (!mkdtemp(buf.data())) {  // mkdtemp makes the directory with mode 0700
        error = "cannot create a private directory in " + base + ": " + std::strerror(errno);
        return nullptr;
    }
    return std::unique_ptr<PrivateTempDir>(new PrivateTempDir(buf.data()));
}

PrivateTempDir::~PrivateTempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

bool PrivateTempDir::WriteFile(const std::string& name, const std::string& bytes,
                               std::string& error) const {
    return editor::ReplaceFileWrite(FilePath(name), bytes, error);
}

}  // namespace varnel::mail
