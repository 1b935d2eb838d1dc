#include <gtest/gtest.h>

#include "mail/ForwardedHeader.h"

using namespace varnel::mail;
using Lines = std::vector<std::string>;

TEST(ForwardedHeader, KeepsReaderFieldsAndDropsTheRest) {
    struct Case {
        const char* name;
        Lines in;
        std::size_t start;
        const char* headerList;
        Lines out;
    } cases[] = {
        {"trims fields and their continuations",
         {"body", "Received: from x", "\tby y", "From: a@b.jp", "To: c@d.jp", "\te@f.jp",
          "Message-ID: <1@b>", "Subject: hi", "", "text"},
         1,
         "",
         {"body", "From: a@b.jp", "To: c@d.jp", "\te@f.jp", "Subject: hi", "", "text"}},
        {"listed field kept, case-insensitive",
         {"X-Mailer: m", "DATE: d", "X-Other: o", ""},
         0,
         ",x-mailer:",
         {"X-Mailer: m", "DATE: d", ""}},
        {"whole names only: o:, m: and x-to: are not kept",
         {"o: 1", "m: 2", "X-To: 3", "Reply-To: r", "In-Reply-To: i", ""},
         0,
         "",
         {"Reply-To: r", "In-Reply-To: i", ""}},
        {"start line without a colon: nothing is done",
         {"plain text", "Received: x", ""},
         0,
         "",
         {"plain text", "Received: x", ""}},
        {"kept field at the end of the list stays",
         {"Received: r", "Subject: last"},
         0,
         "",
         {"Subject: last"}},
        {"a line without a colon inside the header is dropped",
         {"From: a", "garbage", "Cc: c", ""},
         0,
         "",
         {"From: a", "Cc: c", ""}},
        {"start past the end", {"From: a"}, 5, "", {"From: a"}},
        {"a leading continuation goes; kept fields close up, the text after follows",
         {"x", " a: b", "\tc", "Date: d", "X: 1", "\t2", "To: t", "X: 3", "", "tail", ""},
         1,
         "",
         {"x", "Date: d", "To: t", "", "tail", ""}},
    };
    for (auto& c : cases) {
        Lines l = c.in;
        FilterForwardedHeader(l, c.start, c.headerList);
        EXPECT_EQ(l, c.out) << c.name;
    }
}
