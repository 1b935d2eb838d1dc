#include <gtest/gtest.h>

#include "MailTestFiles.h"
#include "fakes/Fakes.h"
#include "mail/DateTimeMacro.h"
#include "mail/DraftHeader.h"
#include "mail/ForwardDraft.h"
#include "mail/OpenMail.h"

using namespace varnel::mail;
using Lines = std::vector<std::string>;
using test::Crlf;

namespace {

const Lines kForwardHead = {
    "X-Forward: no_rfc822",
    "To: taro@example.jp",
    "Subject: Fw: report",
    "Content-Type: multipart/mixed; boundary=\"outer\"",
    "----------------------------------------",
    "",
    "Please see below.",
    "--outer",
    "Content-Type: message/rfc822",
    "",
    "From: boss@example.jp",
    "Content-Type: multipart/mixed;",
    "\tboundary=\"inner\"",
    "",
    "--inner",
    "Content-Type: text/plain",
    "",
    "the report text",
};
const Lines kForwardTail = {
    "--inner",   "Content-Type: application/pdf; name=\"r.pdf\"", "", "JVBERi0=", "--inner--",
    "--outer--",
};

}  // namespace

// In the window's layout and in the stand-in mailer's (an empty line after the
// separator, the forwarded status line, a blank-folded boundary).
TEST(ForwardDraft, HoldsTheTailFromTheSecondBoundaryLine) {
    const struct {
        Lines head, tail;
        bool noRfc822;
    } cases[] = {
        {kForwardHead, kForwardTail, true},
        {{"X-Forward: rfc822", "To: ", "Subject: Fw: s",
          "Content-Type: multipart/mixed; boundary=\"B\"", "--------", "", "--B",
          "Content-Type: message/rfc822", "", "X-Status: READ", "Content-Type: multipart/mixed;",
          " boundary=\"I\"", "", "--I", "Content-Type: text/plain", "", "text"},
         {"--I", "Content-Type: application/pdf", "", "QUJD", "--I--", "--B--"},
         false},
    };
    for (const auto& c : cases) {
        Lines all = c.head;
        all.insert(all.end(), c.tail.begin(), c.tail.end());
        DraftLoad d = LoadForwardDraft(Crlf(all));
        EXPECT_TRUE(d.forward);
        EXPECT_EQ(d.xForwardIndex, 0u);
        EXPECT_EQ(d.noRfc822, c.noRfc822);
        EXPECT_FALSE(d.noFwdHtml);
        EXPECT_EQ(d.lines, c.head);
        ASSERT_TRUE(d.forwardTail);
        EXPECT_EQ(*d.forwardTail, Crlf(c.tail));
    }
}

TEST(ForwardDraft, RelatedOrTaillessDraftsAndOptionLines) {
    Lines related = kForwardHead;
    related[11] = "Content-Type: multipart/related;";
    related.insert(related.end(), kForwardTail.begin(), kForwardTail.end());
    DraftLoad d = LoadForwardDraft(Crlf(related));
    EXPECT_FALSE(d.forward);
    EXPECT_FALSE(d.forwardTail);
    EXPECT_EQ(d.lines, related);

    // A forwarded mail with one part: no second boundary line, no tail.
    d = LoadForwardDraft(Crlf(kForwardHead));
    EXPECT_TRUE(d.forward);
    EXPECT_FALSE(d.forwardTail);
    EXPECT_EQ(d.lines, kForwardHead);

    d = LoadForwardDraft(Crlf({"To: a", "X-Forward: NoFwdHTML", "-----"}));
    EXPECT_TRUE(d.forward);
    EXPECT_EQ(d.xForwardIndex, 1u);
    EXPECT_TRUE(d.noFwdHtml);
    d = LoadForwardDraft(Crlf({"X-Disposition-Notification: yes", "To: a", "-----"}));
    EXPECT_FALSE(d.forward);
    EXPECT_TRUE(d.dispositionNotification);
}

TEST(DraftHeader, DeleteHeaderMatchesWholeNames) {
    const Lines draft = {"To: a@b.jp",    "Reply-To: r@b.jp", "Cc: c@b.jp",    "Bcc: d@b.jp",
                         "X-Mailer: m",   "\tcontinued",      "no colon here", "-----",
                         "X-Mailer: body"};
    struct Case {
        const char* deleteHeader;
        Lines out;
    } cases[] = {
        {"Reply-To:",
         {"To: a@b.jp", "Cc: c@b.jp", "Bcc: d@b.jp", "X-Mailer: m", "\tcontinued", "no colon here",
          "-----", "X-Mailer: body"}},
        {"Bcc:,X-Mailer:",
         {"To: a@b.jp", "Reply-To: r@b.jp", "Cc: c@b.jp", "no colon here", "-----",
          "X-Mailer: body"}},
        {"", draft},
        {"x-mailer:", draft},  // case as written
    };
    for (const auto& c : cases) {
        Lines l = draft;
        DeleteHeaderFields(l, c.deleteHeader);
        EXPECT_EQ(l, c.out) << c.deleteHeader;
    }
}

TEST(DraftHeader, BackslashesCaretAndDateMacro) {
    Lines l = {"To: \"Taro\\ Y\" <t@x.jp>,", "\t\x83\x5C\\ <s@x.jp>", "Reply-To: a\\b", "-----",
               "From: body\\"};
    StripAddressBackslashes(l);
    EXPECT_EQ(l, (Lines{"To: \"Taro Y\" <t@x.jp>,", "\t\x83\x5C <s@x.jp>", "Reply-To: a\\b",
                        "-----", "From: body\\"}));

    EXPECT_EQ(PlaceCaretInBody({"To: a", "-----", "", "body"}), 3u);
    EXPECT_EQ(PlaceCaretInBody({"To: a", "-----"}), 2u);
    EXPECT_EQ(PlaceCaretInBody({"To: a", "b"}), 2u);

    varnel::fakes::ManualClock clock;  // UTC+9
    clock.now = std::chrono::sys_days{std::chrono::year{2026} / 12 / 6} + std::chrono::hours{14} +
                std::chrono::minutes{5} + std::chrono::seconds{9};  // Sun 23:05:09 JST
    const DateTimeLocale en;
    struct Case {
        const char* line;
        const char* out;
    } cases[] = {
        {"Read: #DATETIME.", "Read: 2026/12/06 (Sun) 23:05."},
        {"at #DATETIME#hh:nn# ok", "at 23:05 ok"},
        {"#DATETIME#yyyy-m-d h:mm:ss am/pm#", "2026-12-6 11:05:09 pm"},
        {"#DATETIME#hh:nn A/P#", "11:05 P"},
        {"#DATETIME#h ampm 'h am/pm'#", "11 PM h am/pm"},
        {"#DATETIME#h 'am/pm'#", "23 am/pm"},
        {"#DATETIME# left open", "2026/12/06 23:05:09# left open"},
        {"#DATETIME#dddd, mmmm d#", "Sunday, December 6"},
        {"no macro", "no macro"},
    };
    for (const auto& c : cases) {
        Lines t = {"To: a", c.line};
        ExpandDateTimeMacro(t, clock, en);
        EXPECT_EQ(t[1], c.out) << c.line;
    }
    // Midnight and noon on the twelve-hour clock.
    for (const auto& [utcHour, want] : {std::pair{15, "12:05 am"}, std::pair{3, "12:05 pm"}}) {
        varnel::fakes::ManualClock c;
        c.now = std::chrono::sys_days{std::chrono::year{2026} / 12 / 6} +
                std::chrono::hours{utcHour} + std::chrono::minutes{5};
        Lines h = {"#DATETIME#h:nn am/pm#"};
        ExpandDateTimeMacro(h, c, en);
        EXPECT_EQ(h[0], want);
    }
    Lines t = {"#DATETIME#ddd#"};
    ExpandDateTimeMacro(t, clock, JapaneseDateTimeLocale());
    EXPECT_EQ(t[0], "\x93\xFA");  // 日
}

TEST(OpenMail, DraftsAreLoadedAndCleanedReceivedMailIsDecoded) {
    varnel::fakes::ManualClock clock;
    HeaderOptions o;
    o.DeleteHeader = "X-Mailer:";
    DraftTools tools;
    int templates = 0, forwardHeaders = 0, simplified = 0;
    tools.applyRecipientTemplate = [&](Lines&) { ++templates; };
    tools.deleteForwardedHeader = [&](Lines&) { ++forwardHeaders; };
    tools.simplifyMultipart = [&](Lines&) { ++simplified; };

    Lines all = kForwardHead;
    all.insert(all.end(), kForwardTail.begin(), kForwardTail.end());
    OpenedMail m = OpenMailCore("/tmp/_pel0001.tmp", Crlf(all), o, {}, tools, clock, {});
    EXPECT_TRUE(m.draft);
    EXPECT_TRUE(m.forwardDraft);
    EXPECT_EQ(m.lines.front(), "To: taro@example.jp");  // the X-Forward line is gone
    EXPECT_EQ(m.caretLine, 5u);
    EXPECT_TRUE(m.forwardTail);
    EXPECT_TRUE(m.switchNoRfc822On);
    EXPECT_EQ(templates, 1);
    EXPECT_EQ(forwardHeaders, 1);
    EXPECT_EQ(simplified, 1);
    EXPECT_FALSE(m.updateCurrentMail);

    m = OpenMailCore("/home/u/Pelk/out/0003.txt", Crlf({"To: a", "X-Mailer: x", "-----", "", "b"}),
                     o, {}, tools, clock, {});
    EXPECT_TRUE(m.draft);
    EXPECT_EQ(m.lines, (Lines{"To: a", "-----", "", "b"}));
    EXPECT_TRUE(m.updateCurrentMail);
    EXPECT_FALSE(m.decoded);

    o.NextMailMode = 2;
    m = OpenMailCore("/home/u/Pelk/in/0003.txt", std::string("X-Status: READ\r\n\r\nhi\r\n"), o, {},
                     tools, clock, {});
    EXPECT_FALSE(m.draft);
    ASSERT_TRUE(m.decoded);
    EXPECT_EQ(m.lines, (Lines{"", "hi"}));
    EXPECT_TRUE(m.focusInCompanion);
    EXPECT_TRUE(m.updateCurrentMail);

    m = OpenMailCore("/home/u/Pelk/in/0004.txt", std::nullopt, o, {}, tools, clock, {});
    EXPECT_FALSE(m.exists);
    EXPECT_FALSE(m.decoded);
    EXPECT_TRUE(m.lines.empty());
}
