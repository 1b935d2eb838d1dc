// The file after opening: exactly the status, date and address changes, inside the
// header block, and not one byte more.
#include <gtest/gtest.h>

#include "MailTestFiles.h"
#include "mail/DecodeMail.h"

using namespace varnel::mail;
using test::Crlf;

namespace {

const std::string kPath = "/home/u/Pelk/in/0007.txt";

struct Case {
    const char* name;
    std::string in;
    std::string out;  // "" when the file must stay as it is
    int minutesToCorrect = -120;
    bool fixAddress = false;
    bool addDate = true;
    bool notify = false;
};

}  // namespace

TEST(MarkRead, ChangesExactlyWhatIsNeeded) {
    const char* rcv = "Received: from a by b; Sun, 06 Dec 2026 09:00:00 +0900";
    const char* date = "Date: Sun, 06 Dec 2026 09:00:00 +0900";
    const Case cases[] = {
        {"an empty status counts as missing", Crlf({"X-Status: ", rcv, date, "", "x"}),
         Crlf({"X-Status: READ", rcv, date, "", "x"})},
        {"RPLY without Date keeps its mark; the Date is added",
         Crlf({"X-Status: RPLY", rcv, "From: a@b.jp", "", "x"}),
         Crlf({"X-Status: RPLY", "Date: Sun, 06 Dec 2026 09:00:00 +0900", rcv, "From: a@b.jp", "",
               "x"})},
        {"SNDR without Date and AddDate off stays as it is", Crlf({"X-Status: SNDR", rcv, "", "x"}),
         "", -120, false, false},
        {"WRIT with a duplicate status keeps WRIT and drops the duplicate",
         Crlf({"X-Status: WRIT", "X-Status: RECV", rcv, date, "", "x"}),
         Crlf({"X-Status: WRIT", rcv, date, "", "x"})},
        {"disagreeing dates on a replied mail: Date renamed, status kept",
         Crlf({"X-Status: RPLY", rcv, "date: Sun, 06 Dec 2026 07:00:00 +0900", "", "x"}),
         Crlf({"X-Status: RPLY", rcv, "Date: Sun, 06 Dec 2026 09:00:00 +0900",
               "X-Original-date: Sun, 06 Dec 2026 07:00:00 +0900", "", "x"}),
         30},
        {"dates a few minutes apart across midnight agree",
         Crlf({"X-Status: READ", "Received: from a by b; Mon, 07 Dec 2026 00:01:00 +0900",
               "Date: Sun, 06 Dec 2026 23:59:00 +0900", "", "x"}),
         "", 10},
        {"body lines are never repaired or renamed",
         Crlf({"X-Status: READ", rcv, "Date: Sun, 06 Dec 2026 07:00:00 +0900",
               "To: \"Taro\" <t@b.jp>", "", "Date: in the body", "To: \"Jiro\" <j@b.jp>",
               "From: \"Ken\" <k@b.jp>"}),
         Crlf({"X-Status: READ", rcv, "Date: Sun, 06 Dec 2026 09:00:00 +0900",
               "X-Original-Date: Sun, 06 Dec 2026 07:00:00 +0900", "To: Taro <t@b.jp>", "",
               "Date: in the body", "To: \"Jiro\" <j@b.jp>", "From: \"Ken\" <k@b.jp>"}),
         30, true},
        {"only whole to:, cc:, from: names are repaired",
         Crlf({"X-Status: READ", date, "O: \"x\" <a@b.jp>", "M: \"y\" <a@b.jp>",
               "Cc: \"Z\" <z@b.jp>,", "\t\"W\" <w@b.jp>", "", "x"}),
         Crlf({"X-Status: READ", date, "O: \"x\" <a@b.jp>", "M: \"y\" <a@b.jp>", "Cc: Z <z@b.jp>,",
               "\tW <w@b.jp>", "", "x"}),
         -120, true},
        {"a backslash goes, the 0x5C trail bytes of \x83\x5C and \x95\x5C stay",
         Crlf({"X-Status: READ", date, "From: \x83\x5C\\\x95\x5C <a@b.jp>", "", "x"}),
         Crlf({"X-Status: READ", date, "From: \x83\x5C\x95\x5C <a@b.jp>", "", "x"}), -120, true},
        {"disposition notification pending: RECV becomes WRIT",
         Crlf({"X-Status: RECV", date, "Disposition-Notification-To: a@b.jp", "", "x"}),
         Crlf({"X-Status: WRIT", date, "Disposition-Notification-To: a@b.jp", "", "x"}), -120,
         false, true, true},
        {"two Date fields, the first disagreeing",
         Crlf({"X-Status: RECV", rcv, "Date: Sun, 06 Dec 2026 07:00:00 +0900",
               "Date: Sun, 06 Dec 2026 09:00:00 +0900", "", "x"}),
         Crlf({"X-Status: READ", rcv, "Date: Sun, 06 Dec 2026 09:00:00 +0900",
               "X-Original-Date: Sun, 06 Dec 2026 07:00:00 +0900",
               "Date: Sun, 06 Dec 2026 09:00:00 +0900", "", "x"}),
         30},
        {"two Date fields, the second disagreeing: the first is the one checked",
         Crlf({"X-Status: RECV", rcv, "Date: Sun, 06 Dec 2026 09:00:00 +0900",
               "Date: Sun, 06 Dec 2026 07:00:00 +0900", "", "x"}),
         Crlf({"X-Status: READ", rcv, "Date: Sun, 06 Dec 2026 09:00:00 +0900",
               "Date: Sun, 06 Dec 2026 07:00:00 +0900", "", "x"}),
         30},
        {"a disagreeing Date above the status line",
         Crlf({"Date: Sun, 06 Dec 2026 07:00:00 +0900", "X-Status: RECV", rcv,
               "Date: Sun, 06 Dec 2026 09:00:00 +0900", "", "x"}),
         Crlf({"Date: Sun, 06 Dec 2026 09:00:00 +0900",
               "X-Original-Date: Sun, 06 Dec 2026 07:00:00 +0900", "X-Status: READ", rcv,
               "Date: Sun, 06 Dec 2026 09:00:00 +0900", "", "x"}),
         30},
        {"a repaired address stays repaired",
         Crlf({"X-Status: RECV", "Date: Sun, 06 Dec 2026 09:00:00 +0900", "To: a<)", "", "x"}),
         Crlf({"X-Status: READ", "Date: Sun, 06 Dec 2026 09:00:00 +0900", "To: \"a\"<)", "", "x"}),
         -120, true},
        {"a repair that changes how the field splits is carried through",
         Crlf({"X-Status: RECV", "Date: Sun, 06 Dec 2026 09:00:00 +0900",
               "Cc: \"Taro\" <t@x.jp> and more text", "", "x"}),
         Crlf({"X-Status: READ", "Date: Sun, 06 Dec 2026 09:00:00 +0900",
               "Cc: Taro <t@x.jp>, and more text", "", "x"}),
         -120, true},
    };
    for (const auto& c : cases) {
        HeaderOptions o;
        o.MinutesToCorrect = c.minutesToCorrect;
        o.FixAddress = c.fixAddress;
        o.AddDate = c.addDate;
        o.NotifyDispositionMode = c.notify;
        DecodedMail first = DecodeMailForDisplay(kPath, c.in, o, DecodeState{});
        if (c.out.empty()) {
            EXPECT_FALSE(first.rewritten) << c.name;
            continue;
        }
        ASSERT_TRUE(first.rewritten) << c.name;
        EXPECT_EQ(*first.rewritten, c.out) << c.name;
        // Opening reaches a fixed point: a second open of the written file changes
        // nothing (and so neither writes nor tells the mailer again).
        DecodedMail second = DecodeMailForDisplay(kPath, *first.rewritten, o, DecodeState{});
        EXPECT_FALSE(second.rewritten) << c.name << "\n" << second.rewritten.value_or("");
    }
}

TEST(MarkRead, KeepsOddBytesOfUntouchedLines) {
    using namespace std::string_literals;
    // NUL bytes, a lone CR, a bare LF line end and no final line end.
    const std::string tail =
        "Date: Sun, 06 Dec 2026 09:00:00 +0900\r\nX-A: a\0b\r\n"
        "X-B: c\rd\n\r\nbody\0\rend"s;
    HeaderOptions o;
    DecodedMail read = DecodeMailForDisplay(kPath, "X-Status: READ\r\n" + tail, o, {});
    EXPECT_FALSE(read.rewritten);
    DecodedMail recv = DecodeMailForDisplay(kPath, "X-Status: RECV\r\n" + tail, o, {});
    ASSERT_TRUE(recv.rewritten);
    EXPECT_EQ(*recv.rewritten, "X-Status: READ\r\n" + tail);
    DecodedMail none = DecodeMailForDisplay(kPath, tail, o, {});
    ASSERT_TRUE(none.rewritten);
    EXPECT_EQ(*none.rewritten, "X-Status: READ\r\n" + tail);
    // All header, no terminating line: the dropped duplicate takes the missing end along.
    DecodedMail headOnly = DecodeMailForDisplay(kPath, "X-Status: RECV\r\nX-Status: RECV", o, {});
    ASSERT_TRUE(headOnly.rewritten);
    EXPECT_EQ(*headOnly.rewritten, "X-Status: READ");
    // A header ending on a boundary line: the body after it is carried over as it is.
    const std::string body = "--b\r\nX-Status: RECV\nDate: x\r\n\r\n--b--";
    DecodedMail dashed = DecodeMailForDisplay(kPath, "X-Status: RECV\r\n" + body, o, {});
    ASSERT_TRUE(dashed.rewritten);
    EXPECT_EQ(*dashed.rewritten, "X-Status: READ\r\n" + body);
}

TEST(MarkRead, OnlyMailFilesAreWrittenAndTheMailerTold) {
    HeaderOptions o;
    const std::string mail = "X-Status: RECV\r\n\r\nx\r\n";
    DecodedMail other = DecodeMailForDisplay("/home/u/notes/letter.txt", mail, o, {});
    EXPECT_FALSE(other.rewritten);
    EXPECT_FALSE(other.requests.updateThisMail);

    // A mail file is written and the mailer told (the window's open test shows both).
    DecodeState waiting;
    waiting.pendingFocusFile = "/home/u/Pelk/in/0006.txt";
    DecodedMail d = DecodeMailForDisplay(kPath, mail, o, waiting);
    EXPECT_TRUE(d.requests.sendPendingFolderCommand);
    EXPECT_FALSE(d.requests.updateThisMail);

    o.NextMailMode = 2;
    d = DecodeMailForDisplay(kPath, mail, o, {});
    EXPECT_FALSE(d.requests.updateThisMail);
    EXPECT_TRUE(d.requests.startTimer);
    EXPECT_EQ(d.requests.pendingFocusFile, "NeedsUpdate");
}

TEST(MarkRead, RepliedFlagAndFullHeaderMode) {
    HeaderOptions o;
    DecodeState s;
    s.repliedFlag = true;
    EXPECT_FALSE(DecodeMailForDisplay(kPath, "X-Status: READ\r\n\r\n", o, s).repliedFlag);
    EXPECT_TRUE(DecodeMailForDisplay(kPath, "From: a\r\n\r\n", o, s).repliedFlag);
    s.repliedFlag = false;
    EXPECT_TRUE(DecodeMailForDisplay(kPath, "X-Status: RPLY\r\n\r\n", o, s).repliedFlag);
    // Full header mode does not look for a Date, so a read mail without one stays.
    o.Header = true;
    EXPECT_FALSE(DecodeMailForDisplay(kPath, "X-Status: READ\r\nFrom: a\r\n\r\n", o, {}).rewritten);
}
