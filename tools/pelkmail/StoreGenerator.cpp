// The generated large store.
#include "StoreGenerator.h"

#include <filesystem>
#include <fstream>
#include <vector>

#include "store/FolderIndex.h"

namespace pelkmail {

namespace fs = std::filesystem;
using varnel::store::IndexRecord;
namespace IndexStatus = varnel::store::IndexStatus;

namespace {

constexpr std::uint32_t kBaseTime = 1'700'000'000;
constexpr std::uint32_t kStep = 600;  // ten minutes between received mails

std::string Id(const std::string& what, long n) {
    return "<" + what + std::to_string(n) + "@example.jp>";
}

bool WriteText(const std::string& path, const std::string& text, std::string& error) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out.flush()) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

}  // namespace

long GeneratedSentCount(long receivedMails) {
    return (receivedMails + 3) / 4;
}

IndexRecord GeneratedRecord(bool sent, long i) {
    IndexRecord r;
    r.reserved1 = {0, 0, 0};
    if (sent) {
        // Our reply to the question of thread t, five minutes after it.
        const long t = i - 1;
        r.status = IndexStatus::kRead;
        r.time = kBaseTime + static_cast<std::uint32_t>(t * 4 + 1) * kStep + kStep / 2;
        r.sender = "me@example.jp";
        r.messageId = Id("s", t);
        r.parentId = Id("q", t);
        r.subject = "Re: Topic " + std::to_string(t);
        return r;
    }
    const long t = (i - 1) / 4;
    const long k = (i - 1) % 4;
    r.status = i % 7 == 0 ? IndexStatus::kNew : IndexStatus::kRead;
    r.time = kBaseTime + static_cast<std::uint32_t>(i) * kStep;
    r.sender = "user" + std::to_string(t % 50) + "@example.jp";
    switch (k) {
        case 0:
            r.messageId = Id("q", t);
            r.subject = "Topic " + std::to_string(t);
            break;
        case 1:
            r.messageId = Id("a", t);
            r.parentId = Id("s", t);  // answers our reply in sent/
            r.subject = "Re: Topic " + std::to_string(t);
            break;
        case 2:
            r.messageId = Id("f", t);
            r.parentId = Id("a", t);
            r.subject = "Re: Re: Topic " + std::to_string(t);
            break;
        default:
            r.messageId = Id("n", t);
            r.subject = "Notice " + std::to_string(t);
            break;
    }
    return r;
}

std::string GeneratedMail(const IndexRecord& r) {
    std::string m;
    if (r.status == IndexStatus::kNew)
        m += "X-Status: RECV\r\n";
    else if (r.sender != "me@example.jp")
        m += "X-Status: READ\r\n";
    m += "From: " + r.sender + "\r\nTo: list@example.jp\r\nSubject: " + r.subject +
         "\r\nDate: Tue, 14 Nov 2023 22:13:20 +0000\r\nMessage-ID: " + r.messageId + "\r\n";
    if (!r.parentId.empty())
        m += "In-Reply-To: " + r.parentId + "\r\n";
    m += "\r\nGenerated mail.\r\n";
    return m;
}

bool GenerateStore(const std::string& home, long n, std::string& error) {
    if (n < 1 || n > 9999) {
        error = "the number of mails must be 1 to 9999";
        return false;
    }
    std::error_code ec;
    for (const char* dir : {"in", "sent", "trash", "out"}) {
        fs::create_directories(fs::path(home) / dir, ec);
        if (ec) {
            error = "cannot create " + home + "/" + dir;
            return false;
        }
    }
    const auto folder = [&](bool sent, long count) {
        std::vector<IndexRecord> records(static_cast<std::size_t>(count) + 1);
        for (long i = 1; i <= count; ++i) {
            records[static_cast<std::size_t>(i)] = GeneratedRecord(sent, i);
            const std::string name = std::to_string(10000 + i).substr(1) + ".txt";
            if (!WriteText(home + (sent ? "/sent/" : "/in/") + name,
                           GeneratedMail(records[static_cast<std::size_t>(i)]), error))
                return false;
        }
        const auto r =
            varnel::store::FolderIndex::Write(home + (sent ? "/sent.fld" : "/in.fld"), records);
        if (!r.ok)
            error = r.error;
        return r.ok;
    };
    if (!folder(false, n) || !folder(true, GeneratedSentCount(n)))
        return false;
    for (const char* empty : {"/trash.can", "/out.fld"}) {
        const auto r = varnel::store::FolderIndex::Write(home + empty, {});
        if (!r.ok) {
            error = r.error;
            return false;
        }
    }
    return WriteText(home + "/pelkmail.ini",
                     "[Global Parameters]\r\nFolderDefFile=folder.def\r\n\r\n[Folder]\r\n"
                     "Name0=in.fld\r\nName1=sent.fld\r\nName2=trash.can\r\nName3=out.fld\r\n",
                     error) &&
           WriteText(home + "/folder.def", "", error);
}

}  // namespace pelkmail
