// Writing a reply in the window: the reply commands and their sequence on the channel,
// the Enter key as Reply All, the text commands as undoable edits, and Send Mail refusing
// and staying open (the written layout is checked end to end).
#include <gtest/gtest.h>

#include "FormTest.h"

namespace varnel::app {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

class WritingReplyTest : public testing::FormTest {
  protected:
    void SetUp() override {
        mail = Put("in/0005.txt",
                   "X-Status: RECV\r\nFrom: Hanako <hanako@example.jp>\r\n"
                   "To: me@example.jp\r\nSubject: s\r\n\r\nbody\r\n");
        draft = home / "out" / "0001.txt";
    }
    TForm1& Start(const fs::path& file,
                  const std::string& settings = "[View]\r\nEnglishMenu=1\r\n") {
        WriteSettings(settings);
        return StartReady({file.string()});
    }

    fs::path mail, draft;
};

TEST_F(WritingReplyTest, ReplyWritesTheStatusAndRunsTheSequence) {
    TForm1& f = Start(mail, "[View]\r\nEnglishMenu=1\r\nMyAddresses=other@example.jp\r\n");
    // Enter in viewer mode is Reply All: status READ, the Bcc warning, then the sequence.
    std::uint16_t enter = 13;
    EXPECT_TRUE(f.RunShortcut(enter, 0));
    EXPECT_TRUE(testing::ReadAll(mail).starts_with("X-Status: READ\r\n"));
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0], "You are responding to a \"Bcc:\" mail.");
    for (int i = 0; i < 8 && timer1.Tick(); ++i) {
    }
    EXPECT_EQ(channel.Macros(), (Lines{Ref("Focus", "in", "0005"), Ref("Reply", "in", "0005"),
                                       Ref("Update", "in", "0005"), Ref("Update", "in", "0005")}));
    EXPECT_EQ(f.Deferred().DeferredStep, 0);

    // Reply to the sender writes SNDR, which the sequence's last step turns back to READ.
    channel.sent.clear();
    ASSERT_TRUE(RunCommand(f, "Reply1"));
    EXPECT_TRUE(testing::ReadAll(mail).starts_with("X-Status: SNDR\r\n"));
    while (timer1.Tick()) {
    }
    EXPECT_TRUE(testing::ReadAll(mail).starts_with("X-Status: READ\r\n"));
    // Reply Later marks RPLY; Forward asks at once.
    channel.sent.clear();
    ASSERT_TRUE(RunCommand(f, "ReplyLater1"));
    EXPECT_TRUE(testing::ReadAll(mail).starts_with("X-Status: RPLY\r\n"));
    ASSERT_TRUE(RunCommand(f, "Forward1"));
    EXPECT_EQ(channel.Macros(),
              (Lines{Ref("Update", "in", "0005"),
                     "[Forward(\"" + (home / "in").string() + ".fld\",\"0005\")]"}));
    // In editor mode Enter is the editor's.
    f.ViewerMode1Click();
    EXPECT_FALSE(f.RunShortcut(enter, 0));
}

TEST_F(WritingReplyTest, AddressBookTakesTheSenderWithAnyName) {
    // 江 ends in the byte 0x5D, which is no "]".
    testing::WriteBytes(mail,
                        "X-Status: READ\r\nFrom: \x8d\x5d\x8c\xfb <e@example.jp>\r\n"
                        "Subject: s\r\n\r\nbody\r\n");
    TForm1& f = Start(mail);
    ASSERT_TRUE(RunCommand(f, "Addressbook1"));
    ASSERT_EQ(channel.sent.size(), 1u);
    EXPECT_EQ(channel.sent[0].service, "Alias");
    EXPECT_EQ(channel.sent[0].macro, "[Append(\"\x8d\x5d\x8c\xfb <e@example.jp>\")]");
    EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(WritingReplyTest, TextCommandsAreUndoableEdits) {
    testing::WriteBytes(draft,
                        "To: a@example.jp\r\nSubject: re\r\n--------\r\n\r\nline one\r\n"
                        "line two\r\n");
    TForm1& f = Start(draft);
    editor::TSonEdit2& e = f.SonEdit1();
    ASSERT_FALSE(e.ReadOnly);
    e.Select({4, 0}, {6, 0});
    ASSERT_TRUE(RunCommand(f, "Quote1"));
    EXPECT_EQ(e.Text(),
              "To: a@example.jp\r\nSubject: re\r\n--------\r\n\r\n> line one\r\n"
              "> line two\r\n");
    EXPECT_TRUE(e.Modified());
    e.Select({4, 0}, {6, 0});
    ASSERT_TRUE(RunCommand(f, "Unquote1"));
    EXPECT_EQ(e.Text(),
              "To: a@example.jp\r\nSubject: re\r\n--------\r\n\r\nline one\r\n"
              "line two\r\n");
    e.Undo();
    EXPECT_NE(e.Text().find("> line one"), std::string::npos);

    // Paste with quotation: the pasted lines get the quote mark.
    clipboard.text = "pasted a\r\npasted b\r\n";
    clipboard.has = true;
    e.Deselect();
    e.MoveCaretTo(0, 3);
    ASSERT_TRUE(RunCommand(f, "PasteWithquotation1"));
    EXPECT_NE(e.Text().find("--------\r\n> pasted a\r\n> pasted b\r\n\r\n"), std::string::npos)
        << e.Text();
}

// Edit > Special: each tool is one undoable edit of the draft in the window; a tool that
// finds no structure changes nothing, and none acts in viewer mode.
TEST_F(WritingReplyTest, ForwardToolsAreOneUndoableEditEach) {
    const std::string head =
        "To: a@example.jp\r\nSubject: Fw: s\r\nContent-Type: multipart/mixed; boundary=B\r\n"
        "--------\r\n\r\nnew\r\n--B\r\nContent-Type: message/rfc822\r\n\r\n";
    const std::string forwarded =
        "X-Status: READ\r\nReceived: r\r\nFrom: x@example.jp\r\n"
        "Content-Type: multipart/alternative;\r\n boundary=A\r\nDate: d\r\n\r\n"
        "preamble\r\n--A\r\nContent-Type: text/plain\r\n\r\nplain\r\n--A\r\n"
        "Content-Type: text/html\r\n\r\n<p>h</p>\r\n--A--\r\n";
    struct Case {
        const char* command;
        std::string before, after;
    } cases[] = {
        {"DeleteFwdHeader1", head + forwarded,
         head + "From: x@example.jp\r\nContent-Type: multipart/alternative;\r\n boundary=A\r\n"
                "Date: d\r\n\r\npreamble\r\n--A\r\nContent-Type: text/plain\r\n\r\nplain\r\n--A\r\n"
                "Content-Type: text/html\r\n\r\n<p>h</p>\r\n--A--\r\n"},
        {"DeleteHTML1", head + forwarded,
         head + "X-Status: READ\r\nReceived: r\r\nFrom: x@example.jp\r\nDate: d\r\n"
                "Content-Type: text/plain\r\n\r\nplain\r\n"},
        {"SimpleMultiPart1",
         "Content-Type: multipart/mixed; boundary=B\r\n--------\r\nnew\r\n--B\r\n"
         "Content-Type: message/rfc822\r\n\r\nContent-Type: multipart/mixed; boundary=I\r\n"
         "\r\n--I\r\nContent-Type: text/plain\r\n\r\nold\r\n",
         "Content-Type: multipart/mixed; boundary=\"I\"\r\n--------\r\nnew\r\n--I\r\n\r\n"
         "old\r\n"},
        // No forwarded boundary: the MIME-Version line stays too.
        {"SimpleMultiPart1",
         "Content-Type: multipart/mixed; boundary=B\r\n--------\r\n--B\r\n"
         "Content-Type: message/rfc822\r\n\r\nMIME-Version: 1.0\r\n"
         "Content-Type: text/plain\r\n\r\nold\r\n",
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        testing::WriteBytes(draft, c.before);
        TForm1& f = Start(draft);
        editor::TSonEdit2& e = f.SonEdit1();
        ASSERT_EQ(e.Text(), c.before);
        ASSERT_TRUE(RunCommand(f, c.command));
        EXPECT_EQ(e.Text(), c.after.empty() ? c.before : c.after);
        EXPECT_EQ(e.Modified(), !c.after.empty());
        if (c.after.empty())
            continue;
        e.Undo();
        EXPECT_EQ(e.Text(), c.before);
        // Viewer mode: the item is disabled, and the handler changes nothing.
        f.ViewerMode1Click();
        EXPECT_FALSE(RunCommand(f, c.command));
        (f.*(FindCommand(c.command)->handler))();
        EXPECT_EQ(e.Text(), c.before);
    }
}

// Mail > Special > Show All: the stored file in place of the decoded view, unmodified.
TEST_F(WritingReplyTest, ShowAllShowsTheFileAsStored) {
    TForm1& f = Start(mail);
    const std::string stored = testing::ReadAll(mail);
    ASSERT_NE(f.SonEdit1().Text(), stored);
    ASSERT_TRUE(RunCommand(f, "ShowAll1"));
    EXPECT_EQ(f.SonEdit1().Text(), stored);
    EXPECT_FALSE(f.SonEdit1().Modified());
    EXPECT_EQ(f.CurrentMailFile, mail.string());
}

TEST_F(WritingReplyTest, SendMailRefusesAndStaysOpen) {
    struct Case {
        std::string draftText, settings, message;
    } cases[] = {
        {"To: \r\nSubject: something\r\n--------\r\n\r\nx\r\n", "",
         "Addressee or Subject may be missing."},
        {"To: someone@example.jp\r\nSubject: something\r\n--------\r\n\r\na\xf0\x40\r\n", "",
         "送信できない機種依存文字です"},
        {"To: someone@example.jp\r\nSubject: something\r\n--------\r\n\r\n\x87\x40\r\n",
         "X0208_Alarm=1\r\n", "Windowsだけで使用されている文字です"},
    };
    for (const auto& c : cases) {
        testing::WriteBytes(draft, c.draftText);
        prompter.asked.clear();
        view.closeRequests = 0;
        TForm1& f = Start(draft, "[View]\r\nEnglishMenu=1\r\n" + c.settings);
        ASSERT_TRUE(RunCommand(f, "SaveandQuit1"));
        ASSERT_FALSE(prompter.asked.empty()) << c.message;
        EXPECT_EQ(prompter.asked[0], c.message);
        if (c.settings.empty()) {  // refused: nothing written, the window stays
            EXPECT_EQ(testing::ReadAll(draft), c.draftText);
            EXPECT_EQ(view.closeRequests, 0);
        } else {  // a warning only: sent
            EXPECT_EQ(view.closeRequests, 1);
            EXPECT_FALSE(f.SonEdit1().Modified());
        }
    }
    // A failed write keeps the window open with the text.
    testing::WriteBytes(draft,
                        "To: someone@example.jp\r\nSubject: something\r\n--------\r\n\r\nx\r\n");
    TForm1& f = Start(draft);
    view.closeRequests = 0;
    fs::remove_all(home / "out");
    ASSERT_TRUE(RunCommand(f, "SaveandQuit1"));
    EXPECT_EQ(view.closeRequests, 0);
    EXPECT_NE(f.SonEdit1().Text().find("something"), std::string::npos);
}

}  // namespace
}  // namespace varnel::app
