#include <gtest/gtest.h>

#include "mail/DisplayLines.h"
#include "mail/HeaderPass.h"

using namespace varnel::mail;
using Lines = std::vector<std::string>;

TEST(HeaderPass, SummaryFieldsByWholeName) {
    struct Case {
        const char* name;
        std::vector<std::string_view> mail;
        const char* headerList;
        Lines display;
        bool hadDate;
        const char* status;
    } cases[] = {
        {"the last field's addresses are shown",
         {"X-Status: READ", "Date: d", "From: f", "Subject: s", "To: a@b.jp, c@d.jp", "", "x"},
         ",",
         {"Date: d", "To: a@b.jp,", "    c@d.jp", "From: f", "Subject: s", ""},
         true,
         "READ"},
        {"a field that only begins with date is no Date",
         {"X-Status: READ", "Date-Warning: w", "Received: r; 5 Dec 2026 12:00:00 +0900", ""},
         ",",
         {"Date: 5 Dec 2026 12:00:00 +0900", ""},
         false,
         "READ"},
        {"a listed status line still gives the status, once",
         {"X-Status: RPLY", "X-Status: READ", "Date: d", "X-Mailer: m", ""},
         ",x-status:,x-mailer:",
         {"X-Status: RPLY", "Date: d", "X-Mailer: m", ""},
         true,
         "RPLY"},
        {"folded subject and from are joined as stored",
         {"Subject: a", " b", "From: f", "\tg", "Date: d"},
         ",",
         {"Date: d", "From: f\tg", "Subject: a b"},
         true,
         ""},
    };
    for (const auto& c : cases) {
        HeaderOptions o;
        o.HeaderList = c.headerList;
        HeaderPassResult h = RunHeaderPass(c.mail, false, false, false, o);
        EXPECT_EQ(h.display, c.display) << c.name;
        EXPECT_EQ(h.hadDate, c.hadDate) << c.name;
        EXPECT_EQ(h.status, c.status) << c.name;
    }
}

TEST(HeaderPass, HiddenRecipientsStayHiddenWithoutIndent) {
    const std::vector<std::string_view> mail = {
        "Date: d", "To: a@b.jp, c@d.jp,", " e@f.jp", "From: f", "", "x"};
    for (int tab : {0, 4, -1}) {
        HeaderOptions o;
        o.TabToSpace = tab;
        HeaderPassResult h = RunHeaderPass(mail, false, false, false, o);
        EXPECT_EQ(ShownLines(h.display, false, h.recipientLines), (Lines{"Date: d", "From: f", ""}))
            << tab;
        EXPECT_EQ(ShownLines(h.display, true, h.recipientLines).size(), 6u) << tab;
    }
}
