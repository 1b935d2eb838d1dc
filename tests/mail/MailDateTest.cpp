#include <gtest/gtest.h>

#include "mail/DecodeMail.h"
#include "mail/HeaderPass.h"
#include "mail/MailDate.h"

using namespace varnel::mail;
using namespace std::chrono;

namespace {

std::optional<MailTime> Utc(int y, unsigned m, unsigned d, int hh, int mm, int ss = 0) {
    return sys_days{year{y} / month{m} / day{d}} + hours{hh} + minutes{mm} + seconds{ss};
}

}  // namespace

TEST(MailDate, ZonesYearsAndRejections) {
    struct Case {
        const char* text;
        std::optional<MailTime> utc;
    } cases[] = {
        {"Sat, 05 Dec 2026 12:00:00 +0900", Utc(2026, 12, 5, 3, 0)},
        {"Sat, 05 Dec 2026 12:00:00 +0900 (JST)", Utc(2026, 12, 5, 3, 0)},
        {"Sat, 05 Dec 2026 12:00:00 +0900(JST)", Utc(2026, 12, 5, 3, 0)},
        {"Sat, 05 Dec 2026 12:00:00 +0900\t(JST)", Utc(2026, 12, 5, 3, 0)},
        {"5 Dec 2026 12:00:00 UT(Universal)", Utc(2026, 12, 5, 12, 0)},
        {"5 Dec 2026 12:00:00 +09000", std::nullopt},
        {"5 Dec 2026 12:00:00 -0330", Utc(2026, 12, 5, 15, 30)},
        {"5 Dec 2026 12:00:00 GMT", Utc(2026, 12, 5, 12, 0)},
        {"5 Dec 2026 12:00:00 UT", Utc(2026, 12, 5, 12, 0)},
        {"5 Dec 2026 12:00:00 JST", Utc(2026, 12, 5, 3, 0)},
        {"5 Dec 2026 12:00:00 -0000", Utc(2026, 12, 5, 12, 0)},
        {"5 Dec 98 23:10:00 PST", Utc(1998, 12, 6, 7, 10)},
        {"5 Dec 2026 12:00:00 EDT", Utc(2026, 12, 5, 16, 0)},
        {"5 Dec 2026 12:00:00 EST", Utc(2026, 12, 5, 17, 0)},
        {"5 Dec 2026 12:00:00 CDT", Utc(2026, 12, 5, 17, 0)},
        {"5 Dec 2026 12:00:00 CST", Utc(2026, 12, 5, 18, 0)},
        {"5 Dec 2026 12:00:00 MDT", Utc(2026, 12, 5, 18, 0)},
        {"5 Dec 2026 12:00:00 MST", Utc(2026, 12, 5, 19, 0)},
        {"5 Dec 2026 12:00:00 PDT", Utc(2026, 12, 5, 19, 0)},
        {"Thu, 1 Jan 26 00:30:00 +0900", Utc(2025, 12, 31, 15, 30)},
        {"1 Jan 79 00:00:00 +0000", Utc(2079, 1, 1, 0, 0)},
        {"1 Jan 80 00:00:00 +0000", Utc(1980, 1, 1, 0, 0)},
        {"Sat,05 Dec 2026 12:00:00 +0900", Utc(2026, 12, 5, 3, 0)},
        {"Sat, 05 Dec 2026 12:00 +0900", std::nullopt},  // no seconds
        {"Sat, 05 dec 2026 12:00:00 +0900", std::nullopt},
        {"31 Feb 2026 12:00:00 +0900", std::nullopt},
        {"5 Dec 2026 24:00:00 +0900", std::nullopt},
        {"5 Dec 2026 12:00:00 +09", std::nullopt},
        {"5 Dec 2026 12:00:00", std::nullopt},
        {"5 anF 2026 12:00:00 +0900", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseMailDate(c.text), c.utc) << c.text;
}

TEST(MailDate, DisagreementCountsRealMinutes) {
    const auto before = *Utc(2026, 12, 6, 14, 59);  // 23:59 JST
    const auto after = *Utc(2026, 12, 6, 15, 1);    // 00:01 JST the next day
    EXPECT_FALSE(DatesDisagree(before, after, 5));
    EXPECT_TRUE(DatesDisagree(before, after, 1));
    EXPECT_FALSE(DatesDisagree(before, after + hours{10}, 0));     // check off
    EXPECT_FALSE(DatesDisagree(before, after + hours{10}, -120));  // default: off
    EXPECT_TRUE(DatesDisagree(before, after + hours{10}, 600));
}

TEST(MailDate, ReceivedDateOnAFoldedLineMakesThePseudoDate) {
    const std::vector<std::string_view> mail = {
        "X-Status: READ",
        "Received: from mx by mail (Postfix) with ESMTP id 1234;",
        "\tSat, 05 Dec 2026 12:00:05 +0900 (JST)",
        "Received: from far by mx; Sat, 05 Dec 2026 11:59:00 +0900",
        "From: a@b.jp",
        "",
        "x",
    };
    HeaderOptions o;
    HeaderPassResult h = RunHeaderPass(mail, false, false, false, o);
    EXPECT_EQ(h.pseudoDate, "Date: Sat, 05 Dec 2026 11:59:00 +0900");  // the last field wins
    std::vector<std::string_view> folded = mail;
    folded.erase(folded.begin() + 3);
    h = RunHeaderPass(folded, false, false, false, o);
    EXPECT_EQ(h.pseudoDate, "Date: Sat, 05 Dec 2026 12:00:05 +0900 (JST)");
    EXPECT_EQ(h.receivedDate, Utc(2026, 12, 5, 3, 0, 5));
    EXPECT_FALSE(h.hadDate);
}
