// Thread navigation across the received and sent folders.
#include <gtest/gtest.h>

#include "TempDir.h"
#include "store/FolderIndex.h"
#include "store/ThreadNavigator.h"

using namespace varnel::store;
using varnel::testing::TempDir;

namespace {

struct R {
    std::uint8_t status;
    std::uint32_t time;
    std::string id, parent, subject;
};

class Threads : public ::testing::Test {
  protected:
    // in:   1 question <q> (100)   2 other <o> (120)   3 later reply to <q> (200)
    //       4 no id, "Lunch" (300)  5 starter <s> (310) 6 empty slot  7 reply to <s> (330)
    // sent: 0 empty slot            1 reply to <q> (150) 2 reply to <s> (320)
    void SetUp() override {
        Write("in.fld", {{0, 0, "", "", ""},
                         {2, 100, "<q>", "", "Question"},
                         {2, 120, "<o>", "", "Other"},
                         {2, 200, "<r2>", "<q>", "Re: Question"},
                         {2, 300, "", "", "Lunch"},
                         {1, 310, "<s>", "", "Start"},
                         {0, 0, "", "", ""},
                         {1, 330, "<s2>", "<s>", "Re: Start"}});
        Write("sent.fld", {{0, 0, "", "", ""},
                           {2, 150, "<r1>", "<q>", "Re: Question"},
                           {2, 320, "<s1>", "<s>", "Re: Start"}});
    }
    void Write(const std::string& name, const std::vector<R>& rs) {
        std::vector<IndexRecord> records;
        for (const R& r : rs) {
            IndexRecord x;
            x.status = r.status;
            x.time = r.time;
            x.messageId = r.id;
            x.parentId = r.parent;
            x.subject = r.subject;
            records.push_back(x);
        }
        ASSERT_TRUE(FolderIndex::Write(dir / name, records).ok);
    }
    std::string In(int n) const { return dir / ("in/000" + std::to_string(n) + ".txt"); }
    std::string Sent(int n) const { return dir / ("sent/000" + std::to_string(n) + ".txt"); }
    ThreadNavigator Nav(ThreadSettings s = {}) {
        return ThreadNavigator(s, [this](const std::string& f) { updates.push_back(f); });
    }

    TempDir dir;
    std::vector<std::string> updates;
};

}  // namespace

TEST_F(Threads, DownTakesTheEarlierAnswerAcrossFoldersThenUpAndBaseRetrace) {
    ThreadNavigator nav = Nav();
    nav.Reset(1);
    ThreadStep s = nav.Down(In(1));
    EXPECT_EQ(s.file, Sent(1));  // 150 beats the reply in in.fld at 200
    EXPECT_TRUE(s.threadMove);
    EXPECT_EQ(updates, std::vector<std::string>{dir / "sent.fld"});
    s = nav.Down(Sent(1));
    EXPECT_EQ(s.file, In(3));
    s = nav.Down(In(3));
    EXPECT_FALSE(s.found());
    EXPECT_EQ(s.message, ThreadMessage::NoMoreMails);

    ThreadSettings noSubjects;
    noSubjects.ThreadBackBySubject = noSubjects.ThreadSwitchFolderBySubject = false;
    ThreadNavigator up = Nav(noSubjects);
    up.Reset(3);
    EXPECT_EQ(up.Up(In(3)).file, In(1));
    up.Reset(1);
    EXPECT_EQ(up.Up(Sent(1)).file, In(1));
    EXPECT_EQ(up.Base(In(1)).message, ThreadMessage::AlreadyAtBase);
    up.Reset(2);
    EXPECT_EQ(up.Base(Sent(2)).file, In(5));
}

TEST_F(Threads, EmptyIdsAndEmptySlotsNeverMatch) {
    ThreadSettings s;
    s.ThreadSwitchFolder = false;
    ThreadNavigator nav = Nav(s);
    nav.Reset(4);
    // Mail 4 has no message id; mail 5 has no parent id: they are not one thread.
    const ThreadStep step = nav.Down(In(4));
    EXPECT_FALSE(step.found()) << step.file;
    EXPECT_TRUE(nav.Ids().empty());
    // Thread up from a mail without a parent id finds nothing by id.
    s.ThreadBackBySubject = false;
    ThreadNavigator up = Nav(s);
    EXPECT_EQ(up.FindThreadParent(In(2)), In(2));
}

TEST_F(Threads, OtherFolderTimeWindowAndExplicitFoundFlag) {
    // With no allowed error, a reply in the other folder at the same time is not taken.
    Write("sent.fld", {{0, 0, "", "", ""}, {2, 100, "<r1>", "<q>", "Re: Question"}});
    ThreadNavigator nav = Nav();
    nav.Reset(1);
    EXPECT_EQ(nav.Down(In(1)).file, In(3));
    ThreadSettings loose;
    loose.AllowTimeErrorSeconds = 60;
    ThreadNavigator nav2 = Nav(loose);
    nav2.Reset(1);
    EXPECT_EQ(nav2.Down(In(1)).file, Sent(1));
    // A same-folder answer without a record time is still found.
    Write("in.fld", {{0, 0, "", "", ""}, {2, 100, "<q>", "", "Q"}, {2, 0, "<r>", "<q>", "Re: Q"}});
    Write("sent.fld", {{0, 0, "", "", ""}});
    ThreadNavigator nav3 = Nav();
    nav3.Reset(1);
    EXPECT_EQ(nav3.Down(In(1)).file, In(2));
}

TEST_F(Threads, NewThreadSubjectSearchAndDamage) {
    ThreadNavigator nav = Nav();
    nav.Reset(2);
    EXPECT_EQ(nav.NewThread(In(2)).file, In(4));  // 3 is a reply
    nav.Reset(5);
    EXPECT_EQ(nav.NewThread(In(5)).message, ThreadMessage::NoMoreMails);  // 6 empty, 7 reply

    EXPECT_EQ(nav.SubjectSearch(In(3), "Question", true).file, In(3));
    EXPECT_EQ(nav.SubjectSearch(In(3), "Start", false).file, In(7));
    EXPECT_EQ(nav.SubjectSearch(In(3), "question", false).message, ThreadMessage::NoSuchMails);
    EXPECT_EQ(nav.SubjectSearch(In(3), "", false).message, ThreadMessage::NoSuchMails);

    // A cut last record is never read and is reported.
    std::string bytes = varnel::testing::ReadAll(dir / "in.fld");
    dir.Write("in.fld", bytes.substr(0, bytes.size() - 100));
    const ThreadStep s = nav.SubjectSearch(In(3), "Start", false);
    EXPECT_EQ(s.file, In(5));
    EXPECT_FALSE(s.damage.empty());
    EXPECT_EQ(nav.Down(dir / "nofolder/0001.txt").message, ThreadMessage::None);
    EXPECT_EQ(nav.Down(dir / "in/x.txt").message, ThreadMessage::NotMailFile);
}

TEST_F(Threads, NewMailAtEndOpensTheFirstNewMailOfTheReceivedFolder) {
    ThreadSettings s;
    s.NewMailAtEnd = true;
    s.ThreadSwitchFolderBySubject = false;
    ThreadNavigator nav = Nav(s);
    nav.Reset(2);
    const ThreadStep step = nav.Down(Sent(2));  // nothing answers the last reply
    EXPECT_EQ(step.file, In(5));
    EXPECT_FALSE(step.threadMove);
    EXPECT_EQ(step.inPositionAfterOpen, 5);
}
