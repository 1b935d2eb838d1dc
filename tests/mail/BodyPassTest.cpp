#include <gtest/gtest.h>

#include "MailTestFiles.h"
#include "mail/AfterBodyPass.h"
#include "mail/AttachmentSize.h"
#include "mail/BodyPass.h"
#include "mail/Boundary.h"
#include "mail/DecodeMail.h"
#include "mail/LatinMap.h"
#include "mail/MailLines.h"
#include "text/Cp932.h"

using namespace varnel::mail;

namespace {

// Stands in for the header pass: feeds the header lines to the reader and runs the
// body pass from the line after the terminating line. Returns the body's display lines.
std::vector<std::string> DecodeBody(const std::vector<std::string>& lines,
                                    BodyPassResult* result = nullptr,
                                    BodyPassOptions options = {}) {
    TopLevelContentReader reader(options.europeanFontOn);
    std::size_t i = 0;
    for (; i < lines.size(); ++i) {
        if (lines[i].empty() || lines[i][0] == '-')
            break;
        reader.FeedLine(lines[i]);
    }
    const std::size_t first = i < lines.size() ? i + 1 : lines.size();
    std::vector<std::string> display;
    const std::vector<std::string_view> views(lines.begin(), lines.end());
    const auto r = RunBodyPass(views, first, reader.Result(), options, display);
    if (result)
        *result = r;
    return display;
}

}  // namespace

// The golden mails go through the whole decode (header pass and body pass); the body
// lines after the display header are compared.
TEST(BodyPass, GoldenMails) {
    for (const char* name :
         {"alternative_html", "html_only", "base64_sizes", "qp_after_qp", "uuencode",
          "forward_reply_to", "forward_then_part", "boundary_never", "nested_preamble_10",
          "nested_preamble_11", "unquoted_boundary", "header_ends_at_boundary", "japanese_names"}) {
        const std::string base = std::string(VARNEL_TEST_DATA) + "/mime/" + name;
        const auto expected = test::SplitLines(test::ReadAll(base + ".expected"));
        const std::string bytes = test::ReadAll(base + ".eml");
        ASSERT_FALSE(bytes.empty()) << name;
        DecodeState state;
        state.markRead = true;
        const DecodedMail d = DecodeMailForDisplay(base + ".eml", bytes, HeaderOptions{}, state);
        // Recipients are shown, so the shown lines are the whole display list.
        ASSERT_TRUE(d.showRecipientsNow) << name;
        ASSERT_LE(d.headerLineCount, d.lines.size());
        EXPECT_EQ(
            std::vector<std::string>(
                d.lines.begin() + static_cast<std::ptrdiff_t>(d.headerLineCount), d.lines.end()),
            expected)
            << name;
    }
}

TEST(BodyPass, ExtractBoundary) {
    struct Case {
        std::string field, want;
    } cases[] = {
        {"Content-Type: multipart/mixed; boundary=\"a b;c\"", "a b;c"},
        {"Content-Type: multipart/mixed; boundary=abc; charset=x", "abc"},
        {"Content-Type: multipart/mixed; BOUNDARY=AbC", "AbC"},
        {"Content-Type: multipart/mixed; boundary=abc\tx", "abc"},
        {"Content-Type: multipart/mixed; boundary= \"q\"", "q"},
        {"Content-Type: multipart/mixed; boundary=\"open", "open"},
        {"Content-Type: multipart/mixed", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExtractBoundary(c.field), c.want) << c.field;
}

// Each table entry against the character its Windows-1252 byte stands for: either the
// same character in CP932, or the ASCII or full-width look-alike named here.
TEST(BodyPass, LatinTableMatchesItsCharacters) {
    struct Case {
        unsigned char byte;
        const char* utf8;  // what the replacement must read as
    } cases[] = {
        {0x80, "Euro "}, {0x82, "'"},     {0x84, "\""},     {0x86, "†"},
        {0x87, "‡"},     {0x89, "‰"},     {0x91, "'"},      {0x92, "'"},
        {0x93, "\""},    {0x94, "\""},    {0x95, "."},      {0x96, "-"},
        {0x97, "-"},     {0x98, "~"},     {0x99, "(TM)"},   {0xA2, "￠"},
        {0xA3, "￡"},    {0xA5, "\\"},    {0xA6, ":"},      {0xA7, "§"},
        {0xA9, "(C)"},   {0xAB, "≪"},     {0xAE, "(R)"},    {0xB0, "°"},
        {0xB1, "±"},     {0xB2, "^2 "},   {0xB3, "^3 "},    {0xB4, "'"},
        {0xB5, "μ"},     {0xB9, "^1 "},   {0xBB, "≫"},      {0xBC, " 1/4 "},
        {0xBD, " 1/2 "}, {0xBE, " 3/4 "}, {0xC5, "\u212b"},  // Angstrom sign
        {0xD7, "×"},     {0xF7, "÷"},
    };
    for (const auto& c : cases) {
        const auto r = MapLatinByte(c.byte);
        ASSERT_FALSE(r.empty()) << int(c.byte);
        EXPECT_EQ(varnel::text::Cp932ToUtf8(r), c.utf8) << std::hex << int(c.byte);
    }
}

TEST(BodyPass, LatinPartConvertedAndFontOffered) {
    const std::vector<std::string> mail = {"Content-Type: multipart/mixed; boundary=b",
                                           "",
                                           "--b",
                                           "Content-Type: text/plain; charset=iso-8859-1",
                                           "Content-Disposition: inline",
                                           "",
                                           "caf\xe9 \x80"
                                           "5 \x86",
                                           "--b--"};
    BodyPassResult r;
    EXPECT_EQ(DecodeBody(mail, &r), std::vector<std::string>{"caf\xe9 Euro 5 \x81\xf5"});
    EXPECT_TRUE(r.nonAsciiLatin);
    EXPECT_TRUE(r.offerEuropeanFont);
    BodyPassOptions european;
    european.europeanFontOn = true;
    EXPECT_EQ(DecodeBody(mail, &r, european), std::vector<std::string>{"caf\xe9 \x80"
                                                                       "5 \x86"});
    EXPECT_FALSE(r.offerEuropeanFont);
}

TEST(BodyPass, AttachmentSummaryLines) {
    const std::vector<std::string> mail = {"Content-Type: multipart/mixed; boundary=b",
                                           "",
                                           "--b",
                                           "Content-Type: application/zip; name=x.zip",
                                           "Content-Transfer-Encoding: base64",
                                           "",
                                           "QUJD"};
    EXPECT_EQ(DecodeBody(mail),
              std::vector<std::string>{".------ Attached File:          3 bytes  \"x.zip\""});
    // Thousands separated; sizes too wide for the column push it right rather than being cut.
    EXPECT_EQ(FormatAttachmentLine(12345, "a.txt"),
              ".------ Attached File:     12,345 bytes  \"a.txt\"");
    EXPECT_EQ(FormatAttachmentLine(1234567890123, "\"q\""),
              ".------ Attached File:1,234,567,890,123 bytes  \"q\"");
}

// Base64 data is counted in one quick loop (SkipData) by the whole decode; it must give
// what feeding the same lines one by one gives: shown lines and attachment records.
TEST(BodyPass, SkippedDataCountsAsFedLines) {
    const std::string head =
        "Content-Type: multipart/mixed; boundary=\"b\"\r\n\r\n--b\r\n"
        "Content-Type: application/pdf; name=\"a.pdf\"\r\n"
        "Content-Transfer-Encoding: base64\r\n\r\n";
    const std::string bodies[] = {
        "QUJD\r\nREVG\r\n--b--\r\n",
        "QUJD\nREVGRw==\n\n--b\nContent-Type: text/plain\n\ntext\n--b--\n",
        "QUJD\r\n-x\r\n- -\r\n--not\r\nQUI=\r\n--b--",  // dashes, a "--" line that is no boundary
        "QUJD\r\nQUJ\r\r\n\r\nQQ\r",                    // lone CRs; cut off, the last line unended
        "\r\n\r\nQUJDRA\r\n\r\n",                       // blank lines around the data
        "QUJD\r\n--b \r\nContent-Type: text/plain\r\n\r\n\r\nafter\r\n",  // padded boundary
        "-\r\n--\r\n--b\r\nContent-Type: image/png; name=p.png\r\n"
        "Content-Transfer-Encoding: base64\r\n\r\nUE5H\r\n--b--\r\n",
    };
    for (const std::string& body : bodies) {
        const std::string mail = head + body;
        std::vector<std::string> lines;
        MailLines::Reader reader(mail);
        for (std::string_view line; reader.Next(line);)
            lines.emplace_back(line);
        BodyPassResult fed;
        const std::vector<std::string> want = DecodeBody(lines, &fed);

        DecodeState state;
        const DecodedMail d = DecodeMailForDisplay("/h/in/0001.txt", mail, HeaderOptions{}, state);
        const auto at = static_cast<std::ptrdiff_t>(d.headerLineCount);
        EXPECT_EQ(std::vector<std::string>(d.lines.begin() + at, d.lines.end()), want) << body;
        ASSERT_EQ(d.attachments.size(), fed.attachments.size()) << body;
        for (std::size_t i = 0; i < fed.attachments.size(); ++i) {
            const AttachmentRecord& r = d.attachments[i];
            const AttachmentRecord& w = fed.attachments[i];
            EXPECT_EQ(std::tie(r.line, r.size, r.firstLine, r.endLine, r.endsAtBoundary),
                      std::tie(w.line, w.size, w.firstLine, w.endLine, w.endsAtBoundary))
                << body;
            EXPECT_EQ(r.displayIndex - d.headerLineCount, w.displayIndex) << body;
        }
    }
}

// A forwarded header that never ends with an empty line: the header filter stops at
// the decoder's own summary line and keeps it.
TEST(BodyPass, ForwardedHeaderFilterKeepsDecoderLines) {
    const std::vector<std::string> mail = {"Content-Type: multipart/mixed; boundary=o",
                                           "",
                                           "--o",
                                           "Content-Type: message/rfc822",
                                           "",
                                           "Subject: scan",
                                           "X-Mailer: MFP",
                                           "Content-Type: multipart/mixed; boundary=i",
                                           "--i",
                                           "Content-Type: application/pdf; name=a.pdf",
                                           "Content-Description: scan",
                                           "--i",
                                           "Content-Type: text/plain",
                                           "--i--",
                                           "--o--"};
    // The lines after the summary are still read as the unended header, and shown.
    EXPECT_EQ(DecodeBody(mail), (std::vector<std::string>{
                                    "", "..----- Forwarded Message -----", "Subject: scan",
                                    ".------ Attached File:          0 bytes  \"a.pdf\"", "--i",
                                    "Content-Type: text/plain",
                                    "..----- End of Forwarded Message -----", "--i--", "--o--"}));
}

// Thousands of nested multiparts, each with a long preamble, and huge lines: one pass,
// nothing held beyond 11 lines, no recursion.
TEST(BodyPass, DeepNestingAndHugeLines) {
    std::vector<std::string> mail = {"Content-Type: multipart/mixed; boundary=b0", "", "--b0"};
    const int depth = 20000;
    for (int d = 1; d <= depth; ++d) {
        mail.push_back("Content-Type: multipart/mixed; boundary=b" + std::to_string(d));
        mail.push_back("");
        for (int k = 0; k < 3; ++k)
            mail.push_back("pre");
        mail.push_back("--b" + std::to_string(d));
    }
    mail.push_back("Content-Type: text/plain");
    mail.push_back("");
    mail.push_back(std::string(1 << 22, 'x'));
    for (int d = depth; d >= 0; --d)
        mail.push_back("--b" + std::to_string(d) + "--");
    BodyPassResult r;
    const auto shown = DecodeBody(mail, &r);
    ASSERT_EQ(shown.size(), 2u);  // the empty line ending the part header, the text
    EXPECT_EQ(shown.back().size(), std::size_t{1} << 22);
    EXPECT_EQ(r.longestLine, std::size_t{1} << 22);
}

TEST(BodyPass, AfterPassDecisions) {
    EXPECT_TRUE(WantsAutoReformat(false, true, 72, 73));
    EXPECT_FALSE(WantsAutoReformat(false, true, 72, 72));
    EXPECT_FALSE(WantsAutoReformat(true, true, 72, 200));
    EXPECT_FALSE(WantsAutoReformat(false, false, 72, 200));
    EXPECT_FALSE(WantsAutoReformat(false, true, 0, 200));
}
