// Side file lookup and reading.
#include "tools/SideFiles.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace varnel::tools {

std::vector<std::string> SideFileDirs(const std::string& configDir, const std::string& exeDir,
                                      std::string_view xdgDataDirs) {
    std::vector<std::string> dirs;
    if (!configDir.empty())
        dirs.push_back(configDir);
    if (!exeDir.empty())
        dirs.push_back(exeDir + "/../share/varnel32");
    std::string_view rest = xdgDataDirs.empty() ? "/usr/local/share:/usr/share" : xdgDataDirs;
    while (!rest.empty()) {
        const std::size_t colon = rest.find(':');
        const std::string_view dir = rest.substr(0, colon);
        // Relative entries are invalid in the XDG directory lists.
        if (!dir.empty() && dir.front() == '/')
            dirs.push_back(std::string(dir) + "/varnel32");
        rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
    }
    return dirs;
}

std::string FindSideFile(std::string_view name, const std::vector<std::string>& dirs) {
    for (const std::string& dir : dirs) {
        std::error_code ec;
        const std::filesystem::path p = std::filesystem::path(dir) / name;
        if (std::filesystem::is_regular_file(p, ec))
            return p.lexically_normal().string();
    }
    return {};
}

bool ReadTextLines(const std::string& path, std::vector<std::string>& lines, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    std::ostringstream all;
    all << in.rdbuf();
    const std::string bytes = all.str();
    lines.clear();
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        const std::size_t next = end == std::string::npos ? bytes.size() : end + 1;
        if (end == std::string::npos)
            end = bytes.size();
        if (end > start && bytes[end - 1] == '\r')
            --end;
        lines.push_back(bytes.substr(start, end - start));
        start = next;
    }
    return true;
}

}  // namespace varnel::tools
