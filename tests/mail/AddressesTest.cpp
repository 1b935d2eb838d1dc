#include <gtest/gtest.h>

#include "mail/Addresses.h"
#include "mail/DisplayLines.h"

using namespace varnel::mail;

namespace {

// All addresses SplitNextAddress takes off a field, the unfinished rest last; the
// one-call SplitAddresses must take the very same.
std::vector<std::string> SplitAll(const std::string& field, bool& toMe, std::string_view own = "") {
    std::vector<std::string> out;
    std::string rest = field, pending;
    while (SplitNextAddress(rest, pending, own, toMe)) {
        out.push_back(pending);
        pending = "\t";
    }
    if (!pending.empty())
        out.push_back(pending);

    std::vector<std::string> once;
    std::string left;
    bool toMeOnce = false;
    SplitAddresses(field, left, own, toMeOnce, [&](const std::string& a) { once.push_back(a); });
    if (!left.empty())
        once.push_back(left);
    EXPECT_EQ(once, out) << field;
    EXPECT_EQ(toMeOnce, toMe) << field;
    return out;
}

}  // namespace

TEST(Addresses, SplitsOneAddressPerLine) {
    using V = std::vector<std::string>;
    struct Case {
        const char* field;
        V out;
    } cases[] = {
        {"To: a@b.jp, c@d.jp", {"To: a@b.jp,", "\tc@d.jp"}},
        {"To: \"Yamada, Taro\" <t@x.jp>, h@y.jp", {"To: \"Yamada, Taro\" <t@x.jp>,", "\th@y.jp"}},
        {"To: Taro <t@x.jp> Hanako <h@y.jp>", {"To: Taro <t@x.jp>,", "\tHanako <h@y.jp>"}},
        {"To: \"Taro\" <t@x.jp> \"Hanako\" <h@y.jp>",
         {"To: \"Taro\" <t@x.jp>,", "\t\"Hanako\" <h@y.jp>"}},
        {"To: <t@x.jp> (Taro) , h@y.jp", {"To: <t@x.jp> (Taro) ,", "\th@y.jp"}},
        {"To: <t@x.jp> (Sales, Tokyo), h@y.jp", {"To: <t@x.jp> (Sales, Tokyo),", "\th@y.jp"}},
        {"To: \"unclosed, x <t@x.jp>", {"To: \"unclosed, x <t@x.jp>"}},
        {"Cc: \t a@b.jp", {"Cc:  a@b.jp"}},  // TABs go, blanks stay
        {"x", {}},
        {"To: <a@b.jp> <c@d.jp> <e@f.jp>", {"To: <a@b.jp>,", "\t<c@d.jp>,", "\t<e@f.jp>"}},
        {"To: \"A\" <a@b.jp> \"C\" <c@d.jp>, e@f.jp",
         {"To: \"A\" <a@b.jp> \"C\" <c@d.jp>,", "\te@f.jp"}},
        {"To: a@b.jp,,c@d.jp,", {"To: a@b.jp,", "\t,", "\tc@d.jp,"}},
    };
    for (const auto& c : cases) {
        bool toMe = false;
        EXPECT_EQ(SplitAll(c.field, toMe), c.out) << c.field;
    }
}

TEST(Addresses, AddressedToMeByBareAddress) {
    struct Case {
        const char* field;
        bool toMe;
    } cases[] = {
        {"To: Me <ME@Home.jp>", true}, {"Cc: a@b.jp, me@home.jp", true}, {"Bcc: me@home.jp", true},
        {"To: other@home.jp", false},  {"To: list@ml.jp", true},
    };
    for (const auto& c : cases) {
        bool toMe = false;
        SplitAll(c.field, toMe, "me@home.jp,list@ml.jp");
        EXPECT_EQ(toMe, c.toMe) << c.field;
    }
}

TEST(Addresses, SuspiciousAndRepaired) {
    struct Case {
        const char* in;
        bool suspicious;
        const char* repaired;
    } cases[] = {
        {"taro@x.jp", false, "taro@x.jp"},
        {"Taro <taro@x.jp>", false, "Taro <taro@x.jp>"},
        {"T. Yamada <t@x.jp>", true, "T. Yamada <t@x.jp>"},
        {"\"Taro\" <t@x.jp>", true, "Taro <t@x.jp>"},
        {"\"T. Yamada\" <t@x.jp>", true, "\"T. Yamada\" <t@x.jp>"},
        {"\"Taro <t@x.jp>", true, "Taro <t@x.jp>"},
        {"Taro\\ Y <t@x.jp>", true, "Taro Y <t@x.jp>"},
        {"'Taro' <t@x.jp>", true, "Taro <t@x.jp>"},
        {"O'Brien <o@x.jp>", true, "O'Brien <o@x.jp>"},
        {" Taro (Sales <t@x.jp>", true, " \"Taro (Sales\" <t@x.jp>"},
        {"Taro [Sales] <t@x.jp>", true, "\"Taro [Sales]\" <t@x.jp>"},
        {"Taro (x [y] <t@x.jp>", true, "\"Taro (x [y]\" <t@x.jp>"},
        // 0x5C is the trail byte of ソ and 表: neither is a backslash.
        {"\x83\x5C\x95\x5C <t@x.jp>", false, "\x83\x5C\x95\x5C <t@x.jp>"},
        // Quotes dropped from a name that a lone parenthesis or a bracket needs quoted
        // come back, so a second repair finds nothing to do.
        {"a<)", true, "\"a\"<)"},
        {"\"a\"<)", true, "\"a\"<)"},
        {"\"a\" \"b\" <x@y.jp>", true, "a b <x@y.jp>"},
        {"\"a\" \"b\" [c] <x@y.jp>", true, "\"a b [c]\" <x@y.jp>"},
        {"a\" (b <x@y.jp>", true, "\"a (b\" <x@y.jp>"},
        {"\"a\" \"b@c\" (d <x@y.jp>", true, "a \"b@c\" (d <x@y.jp>"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsSuspiciousAddress(c.in), c.suspicious) << c.in;
        EXPECT_EQ(RepairAddress(c.in), c.repaired) << c.in;
        EXPECT_EQ(RepairAddress(c.repaired), c.repaired) << c.in;
    }
    EXPECT_EQ(QuoteDisplayName(" \tTaro Y\t "), " \t\"Taro Y\"\t ");
    EXPECT_EQ(QuoteDisplayName("  "), "  ");
    EXPECT_EQ(RepairAddressList("\"A\" <a@x.jp>, \"B\" <b@x.jp> \"C\" <c@x.jp>"),
              "A <a@x.jp>, B <b@x.jp>, C <c@x.jp>");
}

TEST(Addresses, LeadingTab) {
    EXPECT_EQ(ExpandLeadingTab("\tx", 4), "    x");
    EXPECT_EQ(ExpandLeadingTab("\tx", 20), std::string(12, ' ') + "x");
    EXPECT_EQ(ExpandLeadingTab("\tx", -1), "\tx");
    EXPECT_EQ(ExpandLeadingTab("x\t", 4), "x\t");
}
