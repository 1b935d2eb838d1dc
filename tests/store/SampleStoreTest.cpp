// The bundled sample mailer home: its index files agree with its mails, and its
// threads link up across the in and sent folders.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>

#include "RecordPrinter.h"
#include "TempDir.h"
#include "mail/MailNames.h"
#include "store/FolderDefinitions.h"
#include "store/FolderIndex.h"
#include "store/IndexRecordFromMail.h"
#include "text/Sjis.h"

namespace fs = std::filesystem;
using namespace varnel::store;
namespace text = varnel::text;

namespace {

const std::string kHome = std::string(VARNEL_EXAMPLES) + "/pelkhome";

// Just enough of an INI reader for the mailer's settings: sections and keys any case.
FolderDefinitions::Lookup IniLookup(const std::string& path) {
    std::map<std::string, std::string> values;
    std::istringstream in(varnel::testing::ReadAll(path));
    std::string section, raw;
    while (std::getline(in, raw)) {
        if (!raw.empty() && raw.back() == '\r')
            raw.pop_back();
        const std::string line(text::TrimBlanks(raw));
        if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
            section = text::ToLowerAscii(line.substr(1, line.size() - 2));
        } else if (const auto eq = line.find('='); eq != std::string::npos) {
            values[section + "/" + text::ToLowerAscii(text::TrimBlanks(line.substr(0, eq)))] =
                std::string(text::TrimBlanks(line.substr(eq + 1)));
        }
    }
    return [values](std::string_view s, std::string_view k) {
        const auto it = values.find(text::ToLowerAscii(s) + "/" + text::ToLowerAscii(k));
        return it == values.end() ? std::string() : it->second;
    };
}

struct Loaded {
    std::string folder;  // index file name ("in.fld")
    std::size_t number;
    IndexRecord record;
};

class SampleStore : public ::testing::Test {
  protected:
    void SetUp() override {
        defs_ = FolderDefinitions::FromMailerSettings(kHome + "/pelkmail",
                                                      IniLookup(kHome + "/pelkmail.ini"));
    }
    std::vector<Loaded> Records(const std::string& indexName) const {
        const FolderEntry* folder = defs_.FindByIndexName(indexName);
        EXPECT_NE(folder, nullptr) << indexName;
        if (!folder)
            return {};
        std::string error;
        const auto contents = FolderIndex::ReadAll(folder->indexFile, &error);
        EXPECT_TRUE(contents.has_value()) << error;
        std::vector<Loaded> out;
        if (contents) {
            EXPECT_EQ(contents->trailingBytes, 0u);
            for (std::size_t i = 0; i < contents->records.size(); ++i)
                out.push_back({indexName, i, contents->records[i]});
        }
        return out;
    }
    FolderDefinitions defs_;
};

std::string MailPath(const FolderEntry& folder, std::size_t number) {
    char name[16];
    std::snprintf(name, sizeof name, "/%04zu.txt", number);
    return folder.directory + name;
}

}  // namespace

// The folders the settings name: every record agrees with its mail file, and every mail
// file has its record.
TEST_F(SampleStore, IndexRecordsMatchTheMails) {
    ASSERT_TRUE(FolderDefinitions::ReadRules(defs_.DefinitionFile()).has_value());
    std::map<std::string, std::size_t> mailsPerFolder;
    for (const auto& folder : defs_.Folders()) {
        const auto records = Records(fs::path(folder.indexFile).filename().string());
        std::set<std::string> expectedFiles;
        for (const auto& r : records) {
            const std::string path = MailPath(folder, r.number);
            if (r.record.IsEmpty()) {
                EXPECT_FALSE(fs::exists(path)) << path << " has an empty slot";
                continue;
            }
            expectedFiles.insert(path);
            ASSERT_TRUE(fs::exists(path)) << path;
            const std::string mail = varnel::testing::ReadAll(path);
            EXPECT_EQ(IndexRecordFromMail(mail, r.record.time), r.record) << path;
            EXPECT_NE(r.record.time, 0u) << path;
            if (const auto letters = XStatusForStatusByte(r.record.status); !letters.empty()) {
                EXPECT_EQ(mail.substr(0, 15), "X-Status: " + std::string(letters) + "\r") << path;
            }
            // Stored mails keep CR LF line ends.
            for (std::size_t p = mail.find('\n'); p != std::string::npos;
                 p = mail.find('\n', p + 1))
                ASSERT_EQ(mail[p - 1], '\r') << path << " at " << p;
        }
        for (const auto& e : fs::directory_iterator(folder.directory)) {
            if (varnel::mail::IsMailFile(e.path().string())) {
                EXPECT_TRUE(expectedFiles.count(e.path().string())) << e.path() << " has no record";
            }
        }
        mailsPerFolder[folder.name] = expectedFiles.size();
    }
    EXPECT_EQ(mailsPerFolder["in.fld"], 12u);
    EXPECT_EQ(mailsPerFolder["out.fld"], 1u);
    EXPECT_EQ(mailsPerFolder["trash.can"], 1u);
    EXPECT_EQ(mailsPerFolder["sent.fld"], 3u);
}

// Parent ids lead to earlier mails of in/ or sent/, and some threads cross folders.
TEST_F(SampleStore, ThreadsLinkAcrossInAndSent) {
    std::map<std::string, Loaded> byId;
    std::vector<Loaded> all;
    for (const char* name : {"in.fld", "sent.fld"}) {
        for (const auto& r : Records(name)) {
            if (r.record.IsEmpty())
                continue;
            EXPECT_TRUE(byId.emplace(r.record.messageId, r).second)
                << "duplicate id " << r.record.messageId;
            all.push_back(r);
        }
    }
    std::size_t replies = 0, crossings = 0, longest = 0;
    for (const auto& r : all) {
        std::size_t depth = 0;
        const Loaded* at = &r;
        while (!at->record.parentId.empty()) {
            const auto parent = byId.find(at->record.parentId);
            ASSERT_NE(parent, byId.end()) << at->folder << " " << at->number;
            EXPECT_LT(parent->second.record.time, at->record.time);
            crossings += depth == 0 && parent->second.folder != at->folder;
            at = &parent->second;
            ASSERT_LT(++depth, all.size()) << "a cycle";
        }
        replies += depth > 0;
        longest = std::max(longest, depth + 1);
    }
    EXPECT_GE(replies, 8u);
    EXPECT_GE(crossings, 4u);
    EXPECT_GE(longest, 5u);
}
