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

const std::string& Dir() {
    static const std::string dir = [] {
        std::string t = (std::filesystem::temp_directory_path() / "fuzz-index-XXXXXX").string();
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
    ThreadSettings s;
    s.ThreadBySubject = (data[0] & 1) != 0;
    s.NewThreadAtEnd = (data[0] & 2) != 0;
    s.NewMailAtEnd = (data[0] & 4) != 0;
    s.AllowTimeErrorSeconds = (data[0] & 8) ? 0xFFFFFFFFu : 60;
    ThreadNavigator nav(s, [](const std::string&) {});
    for (const char* f : {"in/0000.txt", "in/0001.txt", "sent/0002.txt", "in/0003.txt"}) {
        const std::string mail = Dir() + "/" + f;
        nav.Reset(1);
        nav.Down(mail);
        nav.Down(mail);
        nav.Up(mail);
        nav.Base(mail);
        nav.NewThread(mail);
        nav.SubjectSearch(mail, "Re", (data[0] & 16) != 0);
    }
    return 0;
}
