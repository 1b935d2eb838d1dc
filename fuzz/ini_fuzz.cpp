// The settings reader and writer: a write reads back as written, and no other key
// changes. Input: file bytes, section, key, value (NUL-separated).
#include <map>
#include <string>

#include "FuzzInput.h"
#include "app/IniFile.h"
#include "text/Sjis.h"

using varnel::app::IniFile;
using varnel::fuzzing::Check;
using varnel::text::ToLowerAscii;

namespace {

// Every key as the reader sees it: the first value of each (section, key).
std::map<std::pair<std::string, std::string>, std::string> Keys(const IniFile& ini) {
    std::map<std::pair<std::string, std::string>, std::string> keys;
    for (const auto& e : ini.Entries())
        keys.emplace(std::pair(e.section, e.key), e.value);
    return keys;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto p = varnel::fuzzing::Parts(data, size, 4);
    const IniFile before = IniFile::FromBytes(p[0]);
    const std::string& section = p[1];
    const std::string& key = p[2];
    const std::string& value = p[3];
    before.ReadInteger(section, key, 0);
    if (!IniFile::CanStore(section, key, value).empty())
        return 0;
    const IniFile after = IniFile::FromBytes(IniFile::ApplyWrite(p[0], section, key, value));
    Check(after.ReadString(section, key, std::string(1, '\0')) == value, "write reads back");
    auto was = Keys(before);
    auto now = Keys(after);
    const auto written = std::pair(ToLowerAscii(section), ToLowerAscii(key));
    was.erase(written);
    now.erase(written);
    Check(was == now, "no other key changes");
    return 0;
}
