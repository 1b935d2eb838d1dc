// The window's navigation commands on a small store, driven through fakes: stepping in
// each mode, deletion, the history, threads, the stepping-mode marks and sorting rules.
#include <gtest/gtest.h>

#include "FormTest.h"
#include "store/FolderIndex.h"

namespace varnel::app {
namespace {

namespace fs = std::filesystem;
using platform::Answer;

std::string Mail(const std::string& id, const std::string& parent) {
    return "X-Status: READ\r\nFrom: Taro <taro@example.jp>\r\nSubject: s\r\nMessage-ID: " + id +
           "\r\n" + (parent.empty() ? "" : "In-Reply-To: " + parent + "\r\n") + "\r\nbody\r\n";
}

class NavigationTest : public testing::FormTest {
  protected:
    // in: 1 <q>, 2 <o>, 5 reply to <q> (time 300); sent: 1 reply to <q> (time 200).
    void SetUp() override {
        Put("in", 1, "<q>", "", 100);
        Put("in", 2, "<o>", "", 150);
        Put("in", 5, "<r2>", "<q>", 300);
        Put("sent", 1, "<r1>", "<q>", 200);
        for (const char* f : {"in", "sent"}) {
            std::vector<store::IndexRecord> records(index[f].size());
            for (std::size_t i = 0; i < records.size(); ++i)
                records[i] = index[f][i];
            ASSERT_TRUE(store::FolderIndex::Write(Fld(f), records).ok);
        }
        FormTest::Put("pelkmail.ini", "[Global Parameters]\r\nFolderDefFile=folder.def\r\n");
        FormTest::Put("folder.def", "/x/ old\r\n");
        WriteSettings("[View]\r\nEnglishMenu=1\r\nNextMailMode=0\r\n[Pelk]\r\nFolder1=work\r\n");
    }
    void Put(const std::string& folder, std::size_t n, const std::string& id,
             const std::string& parent, std::uint32_t time) {
        testing::WriteBytes(At(folder, n), Mail(id, parent));
        auto& records = index[folder];
        records.resize(std::max(records.size(), n + 1));
        records[n].status = store::IndexStatus::kRead;
        records[n].time = time;
        records[n].messageId = id;
        records[n].parentId = parent;
        records[n].subject = id == "<o>" ? "other" : "s";
    }
    std::string At(const std::string& folder, std::size_t n) const {
        return (home / folder / ("000" + std::to_string(n) + ".txt")).string();
    }
    std::string Fld(const std::string& folder) const { return (home / folder).string() + ".fld"; }
    TForm1& Start(const std::string& file) {
        StartReady({file});
        form->TrashCanFile = (home / "trash.can").string();
        return *form;
    }
    bool Sent(const std::string& macro) const {
        for (const auto& m : channel.Macros())
            if (m == macro)
                return true;
        return false;
    }
    void TickUntilIdle() {
        for (int i = 0; i < 20 && timer1.Tick();)
            ++i;
    }

    std::map<std::string, std::vector<store::IndexRecord>> index;
};

TEST_F(NavigationTest, NumberSteppingAndTheHistoryRetraceThePath) {
    TForm1& f = Start(At("in", 1));
    EXPECT_EQ(f.Neighbours.next, At("in", 2));
    ASSERT_TRUE(RunCommand(f, "Next1"));
    ASSERT_TRUE(RunCommand(f, "Next1"));
    EXPECT_EQ(f.CurrentMailFile, At("in", 5));  // over the gap
    ASSERT_TRUE(RunCommand(f, "Next1"));
    EXPECT_EQ(f.CurrentMailFile, At("in", 5));
    EXPECT_EQ(prompter.asked.back(), "No more mail.");
    EXPECT_TRUE(view.enabled["Back2"]);
    EXPECT_FALSE(view.enabled["Ahead1"]);

    ASSERT_TRUE(RunCommand(f, "Back2"));
    ASSERT_TRUE(RunCommand(f, "Back2"));
    EXPECT_EQ(f.CurrentMailFile, At("in", 1));
    EXPECT_FALSE(view.enabled["Back2"]);
    ASSERT_TRUE(RunCommand(f, "Ahead1"));
    EXPECT_EQ(f.CurrentMailFile, At("in", 2));
    ASSERT_TRUE(RunCommand(f, "Back1"));  // a new step discards what lay ahead
    EXPECT_EQ(f.CurrentMailFile, At("in", 1));
    EXPECT_FALSE(view.enabled["Ahead1"]);
    EXPECT_EQ(f.History().Entries()[static_cast<std::size_t>(f.History().Position())], At("in", 1));
}

// Every command that would show another mail, or show this one anew, asks first; Cancel
// keeps the text, its state and the window's marks, and tells the mailer nothing.
TEST_F(NavigationTest, EveryPathAsksBeforeLeavingAModifiedText) {
    TForm1& f = Start(At("in", 1));
    RunCommand(f, "Next1");
    f.SonEdit1().SetModified(true);
    const std::string text = f.SonEdit1().Text();
    for (const char* command : {"Next1", "Back1", "Back2", "ThreadUp1", "Nextnew1", "Delete1",
                                "Header1", "Decode1", "Europeanfont1"}) {
        prompter.script = {Answer::Cancel};
        prompter.asked.clear();
        const std::string before = f.CurrentMailFile;
        channel.sent.clear();
        ASSERT_TRUE(RunCommand(f, command));
        EXPECT_EQ(f.CurrentMailFile, before) << command;
        EXPECT_EQ(f.SonEdit1().Text(), text) << command;
        EXPECT_TRUE(f.SonEdit1().Modified()) << command;
        EXPECT_FALSE(view.checked["Header1"] || view.checked["Europeanfont1"]) << command;
        EXPECT_FALSE(f.SonEdit1().SingleByteMode()) << command;
        for (const auto& m : channel.Macros())  // only the quiet update before a thread read
            EXPECT_TRUE(m.starts_with("[Update(")) << command << " " << m;
        EXPECT_TRUE(f.Deferred().PendingFocusFile.empty()) << command;
        EXPECT_EQ(prompter.asked.size(), 1u) << command;  // the save question, nothing else
    }
}

TEST_F(NavigationTest, DeletingTheLastMailShowsThePreviousThenMovesIt) {
    TForm1& f = Start(At("in", 2));
    RunCommand(f, "Next1");
    ASSERT_EQ(f.CurrentMailFile, At("in", 5));
    ASSERT_TRUE(RunCommand(f, "Delete1"));
    EXPECT_EQ(prompter.asked.back(), "Last mail in the folder.");
    EXPECT_EQ(f.CurrentMailFile, At("in", 2));
    TickUntilIdle();
    EXPECT_TRUE(Sent("[Move(" + f.TrashCanFile + "," + Fld("in") + ",0005)]"));
    EXPECT_TRUE(f.Deferred().PendingFocusFile.empty());
    // The caches never point at the mail being moved, even before the mailer moves it.
    EXPECT_NE(f.Neighbours.next, At("in", 5));
}

TEST_F(NavigationTest, DeletingTheOnlyMailClearsTheWindowAndMovesAtOnce) {
    fs::remove(At("in", 2));
    fs::remove(At("in", 5));
    TForm1& f = Start(At("in", 1));
    ASSERT_TRUE(RunCommand(f, "Delete1"));
    EXPECT_TRUE(f.CurrentMailFile.empty());
    EXPECT_TRUE(Sent("[Move(" + f.TrashCanFile + "," + Fld("in") + ",0001)]"));
    TickUntilIdle();
    EXPECT_TRUE(f.Deferred().PendingFocusFile.empty());
}

TEST_F(NavigationTest, DeletionThroughASilentMailerStillSendsItsMove) {
    TForm1& f = Start(At("in", 1));
    RunCommand(f, "PelkSearch1");
    windows.existing = {"title:" + std::string(link::kMailerThreadTitle)};
    ASSERT_TRUE(RunCommand(f, "Delete1"));
    TickUntilIdle();  // the keys go out; the mailer never asks to open anything
    EXPECT_TRUE(Sent("[Move(" + f.TrashCanFile + "," + Fld("in") + ",0001)]"));
    EXPECT_TRUE(f.Deferred().PendingFocusFile.empty());
}

// The stepping mode shows one mark, after its command and whenever the marks are redrawn.
TEST_F(NavigationTest, TheSteppingModeShowsOneMark) {
    TForm1& f = Start(At("in", 1));
    const std::string modes[] = {"ThreadSearch1", "PelkSearch1", "NumberSearch1"};
    for (const std::string& chosen : modes) {
        ASSERT_TRUE(RunCommand(f, chosen));
        for (int redrawn = 0; redrawn < 2; ++redrawn, f.RefreshCommandStates()) {
            for (const std::string& mark : modes)
                EXPECT_EQ(view.checked[mark], mark == chosen) << chosen << " " << mark;
        }
    }
}

TEST_F(NavigationTest, PagingStepsOnlyFromTheTextsEnds) {
    TForm1& f = Start(At("in", 1));
    f.SonEdit1().SetClientSize(600, 4000);  // the whole mail is in view
    const struct {
        const char* command;
        const char* shows;
    } steps[] = {
        {"PageDown", "0001"},      // the plain key never steps
        {"PageDownNext", "0002"},  // the end was in view: next mail
        {"PageDown1", "0005"},     // NextMailAtEnd is on by default
        {"PageUpPrev", "0002"},    // at the top: previous mail
        {"PageUp", "0002"},
    };
    for (const auto& s : steps) {
        ASSERT_TRUE(RunCommand(f, s.command));
        EXPECT_EQ(f.CurrentMailFile, At("in", std::stoul(s.shows))) << s.command;
    }
    // The configured key reaches the same command in viewer mode: Space.
    EXPECT_TRUE(f.RunShortcut(0x20, 0));
    EXPECT_EQ(f.CurrentMailFile, At("in", 5));
}

TEST_F(NavigationTest, PagingMovesByOneClampedRule) {
    TForm1& f = Start(At("in", 1));
    editor::TSonEdit2& e = f.SonEdit1();
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    e.SetText(text);
    e.SetClientSize(600, 400);
    const int page = e.VisibleLines() - 1;  // the last line of a page begins the next
    ASSERT_GT(page, 3);
    const struct {
        const char* command;
        int top;  // expected top line afterwards; -1: the last line
    } steps[] = {
        {"PageDown", page}, {"LineDown1", page + 1}, {"LineUp1", page},
        {"PageUp", 0},      {"PageUp", 0},  // the plain key never steps, and the top stays
        {"LineUp1", 0},
    };
    for (const auto& s : steps) {
        ASSERT_TRUE(RunCommand(f, s.command));
        EXPECT_EQ(e.TopLine(), s.top) << s.command;
    }
    // Page by page to the end: the view never moves up, stops at the last line, and the
    // caret goes along with it; the plain key never steps to the next mail.
    for (int top = 0, i = 0; i < 30; ++i) {
        ASSERT_TRUE(RunCommand(f, "PageDown"));
        EXPECT_GE(e.TopLine(), top);
        top = e.TopLine();
        EXPECT_GE(e.CaretY(), top);
        EXPECT_LT(e.CaretY(), top + e.VisibleLines());
    }
    EXPECT_EQ(e.TopLine(), e.Lines().Count() - 1);
    EXPECT_EQ(f.CurrentMailFile, At("in", 1));
}

TEST_F(NavigationTest, ToFolderPrependsARuleForTheSender) {
    TForm1& f = Start(At("in", 1));
    prompter.script = {Answer::No};
    ASSERT_TRUE(RunCommand(f, "ToFolder1"));
    EXPECT_EQ(testing::ReadAll((home / "folder.def").string()), "/x/ old\r\n");
    ASSERT_TRUE(RunCommand(f, "ToFolder1"));
    EXPECT_EQ(testing::ReadAll((home / "folder.def").string()),
              "/^FROM:.*taro@example.jp/ work\r\n/x/ old\r\n");
    testing::WriteBytes(At("in", 2), "From: nobody\r\n\r\n");
    RunCommand(f, "Next1");
    prompter.asked.clear();
    ASSERT_TRUE(RunCommand(f, "ToFolder1"));
    EXPECT_EQ(prompter.asked, std::vector<std::string>{"No FROM address found."});
}

}  // namespace
}  // namespace varnel::app
