// Index records built from mail headers: received mails, drafts, status lines.
#include <gtest/gtest.h>

#include "store/IndexRecordFromMail.h"

using namespace varnel::store;

TEST(IndexRecordFromMail, TakesFieldsFromTheHeader) {
    const std::string received =
        "X-Status: RPLY\r\n"
        "From: =?ISO-2022-JP?B?x?= <a@example.jp>\r\n"
        "Subject: Re: first\r\n"
        " second\r\n"
        "Message-ID: <own@example.jp> (comment)\r\n"
        "References: <r1@x> <r2@x>\r\n"
        "  <r3@x>\r\n"
        "\r\n"
        "Message-ID: <body@x>\r\n";
    const IndexRecord r = IndexRecordFromMail(received, 42);
    EXPECT_EQ(r.status, IndexStatus::kReplied);
    EXPECT_EQ(r.time, 42u);
    EXPECT_EQ(r.sender, "a@example.jp");
    EXPECT_EQ(r.messageId, "<own@example.jp>");
    EXPECT_EQ(r.parentId, "<r3@x>") << "without In-Reply-To the last reference";
    EXPECT_EQ(r.subject, "Re: first second");

    const std::string draft =
        "To: b@example.jp\n"
        "Subject: Re: x\n"
        "In-Reply-To: <p@x> <other@x>\n"
        "References: <r@x>\n"
        "--------\n"
        "\n"
        "X-Status: RECV\n";
    const IndexRecord d = IndexRecordFromMail(draft, 0);
    EXPECT_EQ(d.status, IndexStatus::kDraft);
    EXPECT_EQ(d.parentId, "<p@x>");
    EXPECT_EQ(d.sender, "");
    EXPECT_EQ(d.messageId, "");

    struct Case {
        std::string mail;
        std::uint8_t status;
    } statuses[] = {
        {"X-Status: RECV\r\nFrom: a@x\r\n\r\n", IndexStatus::kNew},
        {"From: a@x\r\n\r\nbody\r\n", IndexStatus::kRead},
        {"X-Status: ????\r\n\r\n", IndexStatus::kRead},
        {"X-Status: WRIT\r\nX-Status: RECV\r\n\r\n", IndexStatus::kNotifyPending},
        {"", IndexStatus::kRead},
    };
    for (const auto& c : statuses)
        EXPECT_EQ(IndexRecordFromMail(c.mail, 0).status, c.status) << c.mail;
    EXPECT_EQ(IndexRecordFromMail("From: plain@x\r\n\r\n", 0).sender, "plain@x");
}
