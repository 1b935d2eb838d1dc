// Reply and forward composition: the recipient template, status lines, the address-book
// entry, the forward-draft tools, the send check and the outgoing layout.
#include <gtest/gtest.h>

#include "TempDir.h"
#include "fakes/Fakes.h"
#include "mail/ForwardDraftTools.h"
#include "mail/MailTestFiles.h"
#include "mail/OpenMail.h"
#include "mail/OutgoingMail.h"
#include "mail/RecipientTemplate.h"
#include "mail/ReplyStatus.h"
#include "text/Cp932.h"

namespace varnel::mail {
namespace {

using Lines = std::vector<std::string>;
using text::Utf8ToCp932;

Lines Sjis(std::initializer_list<const char*> utf8) {
    Lines out;
    for (const char* l : utf8)
        out.push_back(Utf8ToCp932(l));
    return out;
}

TEST(RecipientTemplate, NamesOrganisationsAndGreeting) {
    const RecipientTable table =
        ParseRecipientTable(Utf8ToCp932("@example.jp,株式会社エグザンプル\r\n"
                                        "hanako@example.jp,佐藤花子様\r\n"
                                        "taro@example.jp,山田太郎様\r\n"
                                        "jiro@other.jp,鈴木次郎様\r\n"
                                        ",no key\r\nno comma\r\n"));
    EXPECT_EQ(table.size(), 4u);
    TemplateInputs in{
        &table, {Utf8ToCp932("1200/おはようございます/2400/こんにちは/"), "", ""}, 1159};
    Lines d =
        Sjis({"To: Hanako <hanako@example.jp>,", "\tTaro <taro@example.jp>", "Cc: jiro@other.jp",
              "Subject: Re: x", "--------", "%recipients%", "%greeting1%、佐藤です。", "> q"});
    ApplyRecipientTemplate(d, in);
    EXPECT_EQ(
        d, Sjis({"To: Hanako <hanako@example.jp>,", "\tTaro <taro@example.jp>", "Cc: jiro@other.jp",
                 "Subject: Re: x", "--------", "株式会社エグザンプル", "  佐藤花子様",
                 "  山田太郎様", "（写）鈴木次郎様", "おはようございます、佐藤です。", "> q"}));
    EXPECT_EQ(GreetingAt("1200/a/2400/b/", 1200), "b");
    EXPECT_EQ(GreetingAt("1200/a/", 1200), "");
    // Without recipient.csv the line goes, and a missing greeting leaves its macro.
    Lines plain{"To: a@b", "--------", "%recipients%", "%greeting2%"};
    ApplyRecipientTemplate(plain, TemplateInputs{});
    EXPECT_EQ(plain, (Lines{"To: a@b", "--------", "%greeting2%"}));
}

TEST(RecipientTemplate, LongValueIsCutAtACharacterBoundary) {
    // 128 ASCII bytes, then double-byte characters: byte 255 is a trail byte.
    std::string value(128, 'a');
    for (int i = 0; i < 100; ++i)
        value += "\x82\xa0";
    const RecipientTable t = ParseRecipientTable("k@x," + value + "\r\n");
    const std::string& v = t.at("k@x");
    EXPECT_EQ(v.size(), 254u);
    EXPECT_EQ(text::Cp932ToUtf8(v).find("\xEF\xBF\xBD"), std::string::npos);
}

TEST(ReplyStatus, StatusLineAndAddressBookEntry) {
    EXPECT_EQ(*WithStatusLine("X-Status: RECV\r\nFrom: a\r\n", "X-Status: SNDR"),
              "X-Status: SNDR\r\nFrom: a\r\n");
    EXPECT_FALSE(WithStatusLine("From: a\r\n", "X-Status: SNDR"));
    EXPECT_EQ(AddressBookEntry(Utf8ToCp932("Taro@Example.JP (山田　太郎)")),
              Utf8ToCp932("山田 太郎 <taro@example.jp>"));
    EXPECT_EQ(AddressBookEntry("Taro <t@x>"), "Taro <t@x>");
}

TEST(SendCheck, HeaderCompletenessAndDottedLocalParts) {
    struct Case {
        Lines in;
        bool complete;
        Lines out;
    } cases[] = {
        {{"To: ", "Subject: hello world", "--------"}, false, {}},
        {{"To: abcdef", "Subject: hello world", "--------"}, true, {}},
        {{"To: a <a@x.jp>,b.@y.jp", "Subject: hello world", "--------"},
         true,
         {"To: a <a@x.jp>,\"b.\"@y.jp", "Subject: hello world", "--------"}},
        {{"To: a@b.j", "Subject: hello world", "--------"}, false, {}},
        {{"To: Taro <taro.@docomo.ne.jp>", "\tjiro.@ezweb.ne.jp,", "Subject: hello!",
          "X-Note: a.@b", "-------- x"},
         true,
         {"To: Taro <\"taro.\"@docomo.ne.jp>", "\t\"jiro.\"@ezweb.ne.jp,", "Subject: hello!",
          "X-Note: a.@b", "-------- x"}},
    };
    for (auto& c : cases) {
        Lines l = c.in;
        const HeaderCheck h = CheckDraftHeader(l);
        EXPECT_EQ(h.complete, c.complete) << c.in[0];
        EXPECT_EQ(l, c.out.empty() ? c.in : c.out);
    }
}

std::vector<DraftParagraph> Paras(std::initializer_list<Lines> ps) {
    std::vector<DraftParagraph> out;
    for (const Lines& p : ps)
        out.push_back({p});
    return out;
}

TEST(SendCheck, OutgoingLayout) {
    // Addresses one a line, no empty line for an empty rest, wrapped body lines apart,
    // the end-of-text paragraph dropped when empty.
    const auto ps = Paras({{"To: a@x.jp, b@x.jp,"},
                           {"  c@x.jp,"},
                           {"Subject: s"},
                           {"--------"},
                           {"body that was ", "wrapped"},
                           {""}});
    EXPECT_EQ(OutgoingText(ps, true, 4),
              "To: a@x.jp,\r\n    b@x.jp,\r\n    c@x.jp,\r\nSubject: s\r\n--------\r\n"
              "body that was \r\nwrapped\r\n");
    // A multipart draft: the new text displayed, later parts as stored.
    const auto mp = Paras({{"To: a@x.jp"},
                           {"Content-Type: multipart/mixed; boundary=\"B\""},
                           {"--------"},
                           {"--B"},
                           {"Content-Type: text/plain"},
                           {""},
                           {"new ", "text"},
                           {"--B"},
                           {"stored ", "line"},
                           {"last"}});
    EXPECT_EQ(OutgoingText(mp, true, 4),
              "To: a@x.jp\r\nContent-Type: multipart/mixed; boundary=\"B\"\r\n--------\r\n--B\r\n"
              "Content-Type: text/plain\r\n\r\nnew \r\ntext\r\n--B\r\nstored line\r\nlast\r\n");
    EXPECT_TRUE(IsOutgoingDraftName("/tmp/_PEL1.TMP"));
    EXPECT_TRUE(IsOutgoingDraftName("/h/out/0001.txt"));
    EXPECT_FALSE(IsOutgoingDraftName("/h/in/0001.txt"));
}

TEST(SendCheck, ForwardTailFollowsTheTextInOneReplacement) {
    varnel::testing::TempDir dir;
    const std::string path = dir.path() + "/0001.txt";
    std::string error;
    ASSERT_TRUE(WriteOutgoingFile(path, "text\r\n", std::string("--I\r\n\x00\xff\r\n", 9), error));
    EXPECT_EQ(test::ReadAll(path), std::string("text\r\n--I\r\n\x00\xff\r\n", 15));
    // A failed write leaves the draft as it was.
    EXPECT_FALSE(WriteOutgoingFile(dir.path() + "/gone/0001.txt", "x", std::nullopt, error));
    EXPECT_FALSE(error.empty());
}

TEST(ForwardDraftTools, HeaderHtmlAndSimpleMultipart) {
    Lines d{"X-Forward: rfc822",
            "To: ",
            "Subject: Fw: s",
            "MIME-Version: 1.0",
            "Content-Type: multipart/mixed; boundary=\"B\"",
            "--------",
            "--B",
            "Content-Type: text/plain",
            "",
            "new",
            "--B",
            "Content-Type: message/rfc822",
            "",
            "X-Status: READ",
            "Received: from x",
            "\tby y",
            "From: a\\b@x.jp",
            "Subject: s",
            "X-Mailer: m",
            "MIME-Version: 1.0",
            "Content-Type: multipart/mixed;",
            " boundary=\"I\"",
            "",
            "preamble",
            "--I",
            "Content-Type: text/plain",
            "",
            "old text"};
    DeleteForwardedHeader(d, "");
    const Lines header(d.begin() + 13, d.begin() + 19);
    EXPECT_EQ(header, (Lines{"From: ab@x.jp", "Subject: s", "MIME-Version: 1.0",
                             "Content-Type: multipart/mixed;", " boundary=\"I\"", ""}));
    SimplifyMultipart(d, "");
    EXPECT_EQ(d, (Lines{"X-Forward: rfc822", "To: ", "Subject: Fw: s", "MIME-Version: 1.0",
                        "Content-Type: multipart/mixed; boundary=\"I\"", "--------", "--I",
                        "Content-Type: text/plain", "", "new", "old text"}));

    // The new text before the first boundary, as the stand-in lays it out, is simplified
    // in the window's test of the tool.
    Lines alt{"Content-Type: multipart/alternative; boundary=A",
              "",
              "--A",
              "Content-Type: text/plain",
              "",
              "plain",
              "--A",
              "Content-Type: text/html",
              "",
              "<p>html</p>",
              "--A--",
              "after"};
    DeleteHtmlPart(alt);
    EXPECT_EQ(alt, (Lines{"Content-Type: text/plain", "", "plain", "after"}));
}

TEST(AutoReformat, LongBodyLinesOfAReceivedMailAreReformatted) {
    HeaderOptions o;
    o.ShowTo = false;  // the hidden To line must not shift the body start
    const std::string mail = test::Crlf(
        {"X-Status: READ", "To: a@x.jp", "Subject: s", "", "short", "x x x x x x x x x x x x x x"});
    fakes::ManualClock clock;
    for (int autoReformat : {0, 20}) {
        o.AutoReformat = autoReformat;
        o.Reformat.MaxLength = 10;
        const OpenedMail m = OpenMailCore("/h/in/0001.txt", mail, o, {}, {}, clock, {});
        ASSERT_TRUE(m.decoded);
        const Lines body(m.lines.end() - (autoReformat ? 5 : 3), m.lines.end());
        EXPECT_EQ(body, autoReformat ? (Lines{"", "short", "x x x x x", "x x x x x", "x x x x"})
                                     : (Lines{"", "short", "x x x x x x x x x x x x x x"}))
            << autoReformat;
    }
}

}  // namespace
}  // namespace varnel::mail
