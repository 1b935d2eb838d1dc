// Navigation over the store: damaged index files, names and numbers, subject keys,
// number stepping, the file history and folder rule lines.
#include <gtest/gtest.h>

#include <set>

#include "TempDir.h"
#include "store/FolderIndex.h"
#include "store/FolderRuleWriter.h"
#include "store/IndexReader.h"
#include "store/MailStepping.h"
#include "store/StoreNames.h"
#include "store/SubjectKey.h"
#include "store/ThreadNavigator.h"

using namespace varnel::store;
using varnel::testing::ReadAll;
using varnel::testing::TempDir;

namespace {

std::string Record(std::uint8_t status, std::uint32_t time, const std::string& strings) {
    std::string r(kIndexRecordSize, '\0');
    r[0] = static_cast<char>(status);
    for (int k = 0; k < 4; ++k)
        r[4 + k] = static_cast<char>((time >> (8 * k)) & 0xFF);
    r.replace(kIndexStringAreaOffset, std::min(strings.size(), kIndexStringAreaSize),
              strings.substr(0, kIndexStringAreaSize));
    return r;
}

std::string Strings(const std::string& own, const std::string& parent, const std::string& subj) {
    return std::string("from\0", 5) + own + '\0' + parent + '\0' + subj + '\0';
}

}  // namespace

// Damaged files are in FolderIndex.DamagedAndMissingFiles; here the keys of a record.
TEST(IndexReader, KeysOfARecordAndOfOneWithoutItsNuls) {
    TempDir dir;
    const std::string header(kIndexHeaderSize, 'H');
    IndexReader r(dir.Write("one.fld", header + Record(2, 77, Strings("<a@x>", "", "Hello"))));
    EXPECT_EQ(r.Keys(0).ownId, "<a@x>");
    EXPECT_EQ(r.Keys(0).subject, "Hello");
    EXPECT_EQ(r.Time(0), 77u);
    // A record without its NULs yields no strings at all, and counts as damage.
    IndexReader bad(
        dir.Write("bad.fld", header + Record(2, 5, std::string(kIndexStringAreaSize, 'z'))));
    EXPECT_EQ(bad.Count(), 1u);
    EXPECT_TRUE(bad.Keys(0).subject.empty());
    EXPECT_EQ(bad.Time(0), 5u);
    EXPECT_TRUE(bad.Damaged());
}

TEST(StoreNames, BothWritingsOfTheMailNumber) {
    const struct {
        long n;
        const char* thread;
        const char* step;
    } cases[] = {{0, "0000", "0000"},   {7, "0007", "0007"},     {9999, "9999", "9999"},
                 {-1, "000-1", "9999"}, {10000, "0000", "0000"}, {10003, "0003", "0003"}};
    for (const auto& c : cases) {
        EXPECT_EQ(StepNumberText(c.n), c.step) << c.n;
        EXPECT_TRUE(c.n < 0 || ThreadNumberText(c.n) == c.thread) << c.n;
    }
    EXPECT_EQ(ThreadFolderFileOf("/h/In/0001.txt"), "/h/In.fld");
    EXPECT_EQ(MailFileOfRecord("/h/sent.fld", 12), "/h/sent/0012.txt");
    EXPECT_EQ(MailFileOfRecord("/h/trash.can", 3), "/h/trash/0003.txt");
    // Pairing is decided on the index file's own name, never a substring of the path.
    EXPECT_EQ(PairedFolderOf("/h/in.fld"), "/h/sent.fld");
    EXPECT_EQ(PairedFolderOf("/h/Sent.fld"), "/h/in.fld");
    EXPECT_EQ(PairedFolderOf("/main.fld/x/admin.fld"), std::nullopt);
    EXPECT_EQ(PairedFolderOf("/in.fld/present.fld"), std::nullopt);
    EXPECT_FALSE(IsInFolder("/mail/join.fld"));
}

TEST(SubjectKey, DropsTagsAndPrefixesOnWholeCharacters) {
    const struct {
        std::string subject, key;
    } cases[] = {
        {"Re: Meeting", "Meeting"},
        {"RE:Meeting", "Meeting"},
        {"Re^2: Meeting", "Meeting"},
        {"[list:12] Re: Meeting", "Meeting"},
        {"Fwd: Re: Meeting", "Meeting"},
        {"Meeting notes", "Meetingnotes"},
        {"Fw: re: FWD: x", "x"},
        {"[no close", "noclose"},
        // "[江]" : 江 is 0x8D 0x5D, its trail byte is not the closing bracket.
        {"[\x8d\x5d] Re: a", "a"},
        {"\x8d\x5d", "\x8d\x5d"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SubjectKey(c.subject), c.key) << c.subject;
    EXPECT_LE(SubjectKey(std::string(2000, 'a')).size(), 512u);
}

TEST(MailStepping, ProbesNeighboursWithWrapAndGapLimit) {
    std::set<std::string> files{"/f/0001.txt", "/f/0002.txt", "/f/0005.txt", "/f/9999.txt",
                                "/f/0100.txt"};
    const FileExists exists = [&](const std::string& p) { return files.count(p) > 0; };
    const struct {
        const char* from;
        int step;
        const char* to;
    } cases[] = {
        {"/f/0002.txt", 1, "/f/0005.txt"},
        {"/f/0005.txt", 1, ""},  // the next is 95 numbers away: more than 51
        {"/f/0001.txt", -1, "/f/9999.txt"},
        {"/f/0000.txt", -1, "/f/9999.txt"},
        {"/f/9999.txt", 1, "/f/0001.txt"},
        {"/f/0100.txt", -1, ""},
        {"/f/x.txt", 1, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NeighbourMailFile(c.from, c.step, exists), c.to) << c.from << " " << c.step;
    // The mail waiting to be moved is stepped over.
    const NeighbourCache n = NeighboursOf("/f/0001.txt", "/f/0002.txt", exists);
    EXPECT_EQ(n.next, "/f/0005.txt");
    EXPECT_EQ(n.previous, "/f/9999.txt");
}

TEST(FileHistory, KeepsMaxPlusOneAndDropsAheadOnRecord) {
    FileHistory h(2);
    for (const char* f : {"a", "b", "c", "d"})
        h.Record(f);
    EXPECT_EQ(h.Entries(), (std::vector<std::string>{"b", "c", "d"}));
    EXPECT_FALSE(h.CanAhead());
    EXPECT_EQ(h.PeekBack(), "c");
    h.CommitBack();
    EXPECT_EQ(h.PeekBack(), "b");
    h.CommitBack();
    EXPECT_FALSE(h.CanBack());
    EXPECT_EQ(h.PeekAhead(), "c");
    h.CommitAhead();
    h.Record("e");  // opening anew discards the ahead entries
    EXPECT_FALSE(h.CanAhead());
    EXPECT_EQ(h.Top(), h.Position());
    EXPECT_EQ(h.PeekBack(), "c");
    EXPECT_EQ(h.Entries()[2], "e");
}

TEST(FolderRule, ReadsTheSenderAddress) {
    const struct {
        std::string header, address;
    } cases[] = {
        {"From: Taro <taro@example.jp>\r\n\r\n", "taro@example.jp"},
        {"From: taro@example.jp (Taro)\r\n", "taro@example.jp"},
        {"From: \"a b\" c@d.jp x\r\n", "c@d.jp"},
        {"From: x>y <taro@example.jp>\r\n", "taro@example.jp"},  // ">" before "<"
        {"From: Taro\r\n <taro@example.jp>\r\n", "taro@example.jp"},
        {"Subject: a@b\r\nFrom: nobody\r\n", ""},
        {"To: a@b\r\n\r\nFrom: late@x.jp\r\n", ""},  // the body is not the header
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadHeaderAddress(c.header, "from: "), c.address) << c.header;
}

TEST(FolderRule, MakesSafeLinesAndPrependsByteExact) {
    EXPECT_EQ(FolderRuleLine("a@b.jp", "work"), "/^FROM:.*a@b.jp/ work");
    for (const char* bad : {"a/b@c", "a b@c", "a\tb@c", "a\r@c"})
        EXPECT_EQ(FolderRuleLine(bad, "work"), std::nullopt) << bad;
    EXPECT_EQ(FolderRuleLine("a@b", "x\r\ny"), std::nullopt);
    EXPECT_EQ(FolderRuleLine("a@b", " "), std::nullopt);
    // 江 (0x8D 0x5D) and ゾ (0x83 0x5D) in a folder name are whole characters.
    EXPECT_TRUE(FolderRuleLine("a@b", "\x8d\x5d\x83\x5d").has_value());

    TempDir dir;
    std::string error;
    const std::string lf("# rules\n/x/ y\n\xff\0tail", 20);
    const std::string crlf = "# rules\r\n/x/ y";
    dir.Write("lf.def", lf);
    dir.Write("crlf.def", crlf);
    EXPECT_EQ(PrependLine(dir / "lf.def", "/new/ f", error), PrependResult::Written);
    EXPECT_EQ(ReadAll(dir / "lf.def"), "/new/ f\n" + lf);
    EXPECT_EQ(PrependLine(dir / "crlf.def", "/new/ f", error), PrependResult::Written);
    EXPECT_EQ(ReadAll(dir / "crlf.def"), "/new/ f\r\n" + crlf);
    EXPECT_EQ(PrependLine(dir / "none.def", "/new/ f", error), PrependResult::NoFile);
    EXPECT_FALSE(std::filesystem::exists(dir / "none.def"));
}
