// Attachment records follow their summary lines through every change of the shown lines;
// the data they point at decodes as the part's transfer encoding says; the HTML part is
// found, decoded and checked for active content.
#include <gtest/gtest.h>

#include "MailTestFiles.h"
#include "mail/AttachmentData.h"
#include "mail/AttachmentSize.h"
#include "mail/DecodeMail.h"
#include "mail/HtmlPart.h"
#include "mail/Reformat.h"

using namespace varnel::mail;

namespace {

const std::string kForwardWithFiles = test::Crlf(
    {"X-Status: RECV", "From: a@example.com", "To: b@example.com", "Cc: c@example.com",
     "Subject: fw", "Content-Type: multipart/mixed; boundary=\"o\"", "", "--o",
     "Content-Type: text/plain", "",
     // A line that only looks like a summary line, and a long one for the reformat.
     ".------ Attached File:         12 bytes  \"evil.sh\"",
     std::string(150, 'x') + " " + std::string(150, 'y'), "--o", "Content-Type: message/rfc822", "",
     "Received: from x", "X-Mailer: Foo", "From: c@example.com", "Subject: inner",
     "Content-Type: multipart/mixed; boundary=\"i\"", "", "--i", "Content-Type: text/plain", "",
     "inner text",
     // A paragraph the reformat would join the summary line below to.
     [] {
         std::string s;
         for (int i = 0; i < 30; ++i)
             s += "\x82\xa0";  // あ
         return s;
     }(),
     "--i", "Content-Type: application/octet-stream; name=\"in.bin\"",
     "Content-Transfer-Encoding: base64", "", "AAEC/w==", "--i", "Content-Type: text/plain", "",
     "more", "--i--", "--o", "Content-Type: text/plain; name=\"notes.txt\"",
     "Content-Transfer-Encoding: quoted-printable", "", "caf=E9 =", "au lait", "--o--"});

const std::string kSinglePart =
    test::Crlf({"X-Status: RECV", "From: scanner@example.com", "To: b@example.com",
                "Content-Type: application/pdf; name=\"scan.pdf\"",
                "Content-Transfer-Encoding: base64", "", "JVBERi0xLjQK", "AAA="});

}  // namespace

// Every record names the line it stands for, whether recipients are hidden, the
// forwarded header is trimmed or the body reformatted; a forged line gets none.
TEST(AttachmentData, RecordsPointAtTheirLines) {
    struct Case {
        std::string name, bytes;
        std::size_t records;
    };
    std::vector<Case> cases = {{"forward", kForwardWithFiles, 2}, {"single", kSinglePart, 1}};
    for (const char* golden : {"base64_sizes", "uuencode", "japanese_names", "qp_after_qp"})
        cases.push_back(
            {golden, test::ReadAll(std::string(VARNEL_TEST_DATA) + "/mime/" + golden + ".eml"), 0});
    for (const Case& c : cases) {
        for (const bool showTo : {true, false}) {
            for (const bool reformat : {false, true}) {
                HeaderOptions options;
                options.ShowTo = showTo;
                DecodeState state;
                state.rewriteFile = false;
                DecodedMail d = DecodeMailForDisplay("0001.txt", c.bytes, options, state);
                if (reformat)
                    KeepAttachmentLines(d.lines, d.attachments, [&](std::vector<std::string>& l) {
                        ReformatLines(l, l.size() - d.bodyLineCount, DefaultReformatOptions());
                    });
                const std::string what =
                    c.name + (showTo ? " shown" : " hidden") + (reformat ? " reformatted" : "");
                if (c.records) {
                    EXPECT_EQ(d.attachments.size(), c.records) << what;
                }
                EXPECT_FALSE(d.attachments.empty()) << what;
                std::size_t summaries = 0;
                for (const std::string& l : d.lines)
                    summaries +=
                        l.starts_with(".------ Attached File:") && !l.ends_with("evil.sh\"");
                EXPECT_EQ(d.attachments.size(), summaries) << what;
                for (const AttachmentRecord& r : d.attachments) {
                    ASSERT_LT(r.displayIndex, d.lines.size()) << what;
                    EXPECT_EQ(d.lines[r.displayIndex], r.line) << what;
                }
            }
        }
    }
}

TEST(AttachmentData, BytesOfEachEncoding) {
    DecodeState state;
    state.rewriteFile = false;
    const DecodedMail fw = DecodeMailForDisplay("0001.txt", kForwardWithFiles, {}, state);
    ASSERT_EQ(fw.attachments.size(), 2u);
    EXPECT_EQ(AttachmentBytes(kForwardWithFiles, fw.attachments[0]), std::string("\0\1\2\xff", 4));
    // The soft line break joins; the line end before the boundary belongs to it.
    EXPECT_EQ(AttachmentBytes(kForwardWithFiles, fw.attachments[1]), "caf\xe9 au lait");
    const DecodedMail one = DecodeMailForDisplay("0001.txt", kSinglePart, {}, state);
    ASSERT_EQ(one.attachments.size(), 1u);
    EXPECT_EQ(AttachmentBytes(kSinglePart, one.attachments[0]), std::string("%PDF-1.4\n\0\0", 11));

    struct Case {
        std::vector<std::string_view> lines;
        int encoding;
        bool lastLineEnd;
        std::string expected;
    };
    const Case cases[] = {
        {{"QUJD", " REVG", "Rw=="}, kEncodingBase64, false, "ABCDEFG"},
        {{"a=3D=3d", "b=", "c =zz\t "}, kEncodingQuotedPrintable, true, "a==\r\nbc =zz\r\n"},
        {{"begin 644 x", "#86)C", "`", "end"}, kEncodingUuencode, false, "abc"},
        {{"line 1", "line 2"}, kEncodingNone, false, "line 1\r\nline 2"},
        {{"line 1", ""}, kEncodingNone, true, "line 1\r\n\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecodeTransfer(c.lines, c.encoding, c.lastLineEnd), c.expected) << c.expected;
}

TEST(AttachmentData, HtmlPartFoundDecodedAndChecked) {
    const auto mail = [](std::vector<std::string> partHeader, std::vector<std::string> body) {
        std::vector<std::string> l = {"X-Status: RECV",
                                      "From: a@example.com",
                                      "Content-Type: multipart/alternative;",
                                      " boundary=\"alt\"",
                                      "",
                                      "--alt",
                                      "Content-Type: text/plain",
                                      "",
                                      "plain",
                                      "--alt"};
        l.insert(l.end(), partHeader.begin(), partHeader.end());
        l.push_back("");
        l.insert(l.end(), body.begin(), body.end());
        l.push_back("--alt--");
        return test::Crlf(l);
    };
    struct Case {
        std::string name, bytes, html;
        bool risky;
    };
    const Case cases[] = {
        {"plain", mail({"Content-Type: text/html; charset=utf-8"}, {"<p>hi</p>"}),
         "<meta charset=\"utf-8\">\r\n<p>hi</p>", false},
        {"script upper case", mail({"Content-Type: text/html"}, {"<SCRIPT>x()</SCRIPT>"}),
         "<SCRIPT>x()</SCRIPT>", true},
        {"handler after a quoted >",
         mail({"Content-Type: text/html"}, {"<a title=\">\" onclick = \"x()\">a</a>"}),
         "<a title=\">\" onclick = \"x()\">a</a>", true},
        {"handler words in text", mail({"Content-Type: text/html"}, {"<p>go on=now</p>"}),
         "<p>go on=now</p>", false},
        {"script hidden in base64",
         mail({"Content-Transfer-Encoding: base64",
               "Content-Type: text/html; charset=\"iso-2022-jp\""},
              {"PHNjcmlwdD4="}),
         "<meta charset=\"iso-2022-jp\">\r\n<script>", true},
        {"quoted-printable handler",
         mail({"Content-Type: text/html", "Content-Transfer-Encoding: quoted-printable"},
              {"<body onload=3D\"x()\">", "<p>a=", "b</p>"}),
         "<body onload=\"x()\">\r\n<p>ab</p>", true},
        {"html only",
         test::Crlf({"X-Status: RECV", "Content-Type: text/html; charset=shift_jis", "",
                     "<html><meta charset=shift_jis><img src=x onerror=y></html>"}),
         "<html><meta charset=shift_jis><img src=x onerror=y></html>\r\n", true},
    };
    for (const Case& c : cases) {
        const HtmlPart p = ExtractHtmlPart(c.bytes);
        EXPECT_TRUE(p.found) << c.name;
        EXPECT_EQ(p.html, c.html) << c.name;
        EXPECT_EQ(p.risky, c.risky) << c.name;
    }
    EXPECT_FALSE(ExtractHtmlPart(kSinglePart).found);
}
