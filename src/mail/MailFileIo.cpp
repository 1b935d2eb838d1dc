// Whole-file reads and safe replacing writes.
#include "mail/MailFileIo.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

namespace varnel::mail {

namespace fs = std::filesystem;

std::optional<std::string> ReadFileBytes(const std::string& path) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return std::nullopt;
    return bytes;
}

bool WriteFileSafely(const std::string& path, const std::string& bytes, std::string& error) {
    const fs::path target(path);
    fs::path dir = target.parent_path();
    if (dir.empty())
        dir = ".";
    std::random_device rd;
    const fs::path temp =
        dir / (".~" + target.filename().string() + "." + std::to_string(rd() % 1000000) + ".tmp");
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) {
            error = "cannot create " + temp.string();
            return false;
        }
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        out.close();
        if (out.fail()) {
            std::error_code ignore;
            fs::remove(temp, ignore);
            error = "cannot write " + temp.string();
            return false;
        }
    }
    std::error_code ec;
    const auto perms = fs::status(target, ec).permissions();
    if (!ec)
        fs::permissions(temp, perms, ec);
    fs::rename(temp, target, ec);
    if (ec) {
        std::error_code ignore;
        fs::remove(temp, ignore);
        error = "cannot replace " + path + ": " + ec.message();
        return false;
    }
    return true;
}

}  // namespace varnel::mail
