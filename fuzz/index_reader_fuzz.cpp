// Fuzzes the folder index reader and thread navigation over damaged index files: the
// input becomes in.fld and sent.fld of a scratch store (split at its first byte), and
// every thread command runs from the first few mails.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "store/IndexReader.h"
#include "store/SubjectKey.h"
#include "store/ThreadNavigator.h"

using namespace varnel::store;

namespace {

// The scratch store lives in memory (/dev/shm) when the system has it: two files are
// written for every input.
const std::string& Dir() {
    static const std::string dir = [] {
        std::error_code ec;
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ec)
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        std::string t = (base / "fuzz-index-XXXXXX").string();
        return std::string(::mkdtemp(t.data()));
    }();
    return dir;
}

void Put(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::size_t split = std::min<std::size_t>(size - 1, data[0] * 8u);
    const std::string in = Dir() + "/in.fld";
    const std::string sent = Dir() + "/sent.fld";
    Put(in, data + 1, split);
    Put(sent, data + 1 + split, size - 1 - split);

    {
        IndexReader r(in);
        for (std::size_t i = 0; i < r.Count() + 2; ++i) {
            const RecordKeys k = r.Keys(i);
            if (k.subject.size() > kIndexStringAreaSize)
                __builtin_trap();
            SubjectKey(k.subject);
        }
        r.DamageReport();
        LastUsedRecord(r);
    }
    // One thread command from one mail per input keeps the runs fast; the first byte
    // chooses them and the settings.
    ThreadSettings s;
    s.ThreadBySubject = (data[0] & 1) != 0;
    s.NewThreadAtEnd = (data[0] & 2) != 0;
    s.NewMailAtEnd = (data[0] & 4) != 0;
    s.AllowTimeErrorSeconds = (data[0] & 8) ? 0xFFFFFFFFu : 60;
    ThreadNavigator nav(s, [](const std::string&) {});
    static const char* const kMails[] = {"in/0000.txt", "in/0001.txt", "sent/0002.txt",
                                         "in/0003.txt"};
    const std::string mail = Dir() + "/" + kMails[(data[0] >> 4) & 3];
    nav.Reset(1);
    switch (data[0] >> 6) {
        case 0:
            nav.Down(mail);
            nav.Down(mail);
            break;
        case 1:
            nav.Up(mail);
            nav.NewThread(mail);
            break;
        case 2:
            nav.Base(mail);
            break;
        default:
            nav.SubjectSearch(mail, "Re", (data[0] & 16) != 0);
            break;
    }
    return 0;
}
