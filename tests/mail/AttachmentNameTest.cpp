#include <gtest/gtest.h>

#include "mail/AttachmentName.h"
#include "mail/EncodedWords.h"
#include "mail/MimeParameters.h"
#include "text/Cp932.h"

using namespace varnel::mail;
using varnel::text::Utf8ToCp932;

TEST(AttachmentName, RealWorldShapes) {
    struct Case {
        const char* what;
        std::string field;
        std::string want;  // UTF-8, compared after conversion to CP932
    } cases[] = {
        {"plain", "Content-Type: text/plain; name=a.txt", "a.txt"},
        {"quoted keeps blanks, later parameters dropped",
         "Content-Disposition: attachment; filename=\"my file.txt\"; size=12", "my file.txt"},
        {"quoted with escapes", "Content-Type: x/y; name=\"a\\\"b.txt\"", "a\"b.txt"},
        {"filename matched too", "Content-Disposition: attachment;\tfilename=x.zip", "x.zip"},
        {"no name", "Content-Type: text/plain; charset=iso-2022-jp", ""},
        {"JIS word", "Content-Type: x/y; name=\"=?ISO-2022-JP?B?GyRCJUYlOSVIGyhCLnR4dA==?=\"",
         "テスト.txt"},
        {"JIS words split by folding, kanji run open across the fold",
         "Content-Type: x/y; name=\"=?ISO-2022-JP?B?GyRCRnxLXA==?=\r\n =?ISO-2022-JP?B?"
         "OGwlVSUhJSQlaxsoQg==?=\"",
         "日本語ファイル"},
        {"unquoted folded words",
         "Content-Type: x/y; name==?ISO-2022-JP?B?GyRCRnxLXA==?=\t=?ISO-2022-JP?B?"
         "OGwlVSUhJSQlaxsoQg==?=",
         "日本語ファイル"},
        {"word broken inside by folding",
         "Content-Type: x/y; name=\"=?iso-2022-jp?B?GyRCO3\n FOQQ==?=\"", "資料"},
        {"JIS word without closing ESC (B",
         "Content-Type: x/y; name=\"=?iso-2022-jp?B?GyRCO3FOQQ==?=\"", "資料"},
        {"Shift_JIS word", "Content-Type: x/y; name=\"=?Shift_JIS?B?jpGXvy5wZGY=?=\"", "資料.pdf"},
        {"EUC-JP word", "Content-Type: x/y; name=\"=?EUC-JP?B?u/HOwS5wZGY=?=\"", "資料.pdf"},
        {"UTF-8 word", "Content-Type: x/y; name=\"=?UTF-8?B?6LOH5paZLnBkZg==?=\"", "資料.pdf"},
        {"UTF-8 Q word", "Content-Type: x/y; name=\"=?utf-8?Q?=E8=B3=87=E6=96=99_1.pdf?=\"",
         "資料 1.pdf"},
        {"JIS Q word", "Content-Type: x/y; name=\"=?iso-2022-jp?q?=1B$B;qNA=1B(B.doc?=\"",
         "資料.doc"},
        {"character CP932 lacks", "Content-Type: x/y; name=\"=?UTF-8?B?6LOH5paZ8J+YgC50eHQ=?=\"",
         "資料〓.txt"},
        {"text around words", "Content-Type: x/y; name=\"re =?UTF-8?B?6LOH5paZLnBkZg==?= v2\"",
         "re 資料.pdf v2"},
        {"RFC 2231 JIS with empty language",
         "Content-Disposition: attachment;\r\n filename*0*=iso-2022-jp''%1B%24%42%38%2B%40%51;\r\n"
         " filename*1*=%3D%71%1B%28%42%2E%78%6C%73",
         "見積書.xls"},
        {"RFC 2231 UTF-8 character split between sections, escape split too",
         "Content-Disposition: attachment; filename*0*=UTF-8'ja'%E8%A6%8B%E7%A9;"
         " filename*1*=%8D%E6%9B%B8%2;filename*2*=Exls",
         "見積書.xls"},
        {"RFC 2231 sections out of order, quoted plain sections",
         "Content-Type: x/y; name*1=\"def.txt\"; name*0=\"abc \"", "abc def.txt"},
        {"RFC 2231 single extended", "Content-Type: x/y; name*=utf-8''%E8%B3%87%E6%96%99.pdf",
         "資料.pdf"},
        {"bad percent escape stays text", "Content-Type: x/y; name*=us-ascii''100%zz%4",
         "100%zz%4"},
        {"RFC 2231 preferred to the plain fallback",
         "Content-Disposition: attachment; filename=\"fallback\"; "
         "filename*=utf-8''%E8%B3%87%E6%96%99.pdf",
         "資料.pdf"},
        {"raw JIS name", "Content-Type: x/y; name=\"\x1b$B;qNA\x1b(B.txt\"", "資料.txt"},
        {"control characters dropped", "Content-Type: x/y; name=\"a\rb\tc\"", "ab c"},
        // Western, Cyrillic and Chinese sets through iconv; what CP932 lacks becomes 〓.
        {"RFC 2231 windows-1252",
         "Content-Disposition: attachment; "
         "filename*=windows-1252''R%E9sum%E9.pdf",
         "R〓sum〓.pdf"},
        {"windows-1252 Q word", "Content-Type: x/y; name=\"=?windows-1252?Q?=93q=94_=B1.txt?=\"",
         "“q” ±.txt"},
        {"KOI8-R word", "Content-Type: x/y; name=\"=?koi8-r?B?8NLJ18XULnR4dA==?=\"", "Привет.txt"},
        {"GB2312 word", "Content-Type: x/y; name=\"=?gb2312?B?ztLDxy5kb2M=?=\"", "我〓.doc"},
        {"raw UTF-8 name", "Content-Type: x/y; name=\"\xe8\xb3\x87\xe6\x96\x99.pdf\"", "資料.pdf"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExtractAttachmentName(c.field), Utf8ToCp932(c.want)) << c.what;
    // Raw Shift_JIS names are kept byte for byte (0x5C trail byte of "表" included).
    EXPECT_EQ(ExtractAttachmentName("Content-Type: x/y; name=\"\x95\x5c.xls\""), "\x95\x5c.xls");
    // A set iconv does not know, or a name with options in it, keeps the bytes.
    EXPECT_EQ(ExtractAttachmentName("Content-Type: x/y; name==?x-none?B?eA==?="), "x");
    EXPECT_EQ(ExtractAttachmentName("Content-Type: x/y; name*=utf-8//translit''%41"), "A");
}

TEST(MimeParameters, Tokenizer) {
    const auto ps = ParseMimeParameters(
        "Content-Type: multipart/mixed; boundary=\"a;b\" ; junk; charset = x ;name*2*=%41");
    ASSERT_EQ(ps.size(), 3u);
    EXPECT_EQ(ps[0].name, "boundary");
    EXPECT_EQ(ps[0].value, "a;b");
    EXPECT_TRUE(ps[0].quoted);
    EXPECT_EQ(ps[1].name, "charset");
    EXPECT_EQ(ps[1].value, "x");
    EXPECT_EQ(ps[2].name, "name");
    EXPECT_EQ(ps[2].section, 2);
    EXPECT_TRUE(ps[2].extended);
    EXPECT_TRUE(ParseMimeParameters("Content-Type: text/plain").empty());
    // A section number too long to be one (found by fuzzing: it overflowed).
    const auto odd = ParseMimeParameters("Content-Type: x/y; name*10000000000=a");
    ASSERT_EQ(odd.size(), 1u);
    EXPECT_EQ(odd[0].name, "name*10000000000");
    EXPECT_EQ(odd[0].section, -1);
    EXPECT_EQ(PercentDecode("%41%4g%"), "A%4g%");
}

TEST(EncodedWords, ByteDecoders) {
    struct Case {
        std::string in, prefix, want;
    } cases[] = {
        {"Subject: =?ISO-2022-JP?B?GyRCO3FOQRsoQg==?= x", "=?iso-2022-jp?b?",
         "Subject: \x1b$B;qNA\x1b(B x"},
        {"=?shift_jis?b?jpGXvw==?==?shift_jis?b?jpGXvw==?=", "=?shift_jis?b?",
         "\x8e\x91\x97\xbf\x8e\x91\x97\xbf"},
        {"a =?x?b?QU JD?= b", "=?x?b?", "a ABC b"},                   // blank inside skipped
        {"=?x?b?QUJD", "=?x?b?", "=?x?b?QUJD"},                       // no closing "?"
        {"=?x?b?Q!JD?= =?x?b?QUJD?=", "=?x?b?", "=?x?b?Q!JD?= ABC"},  // bad word kept
        {"=?x?b?AAAA?=", "=?x?b?", ""},                               // NUL bytes dropped
        {"abc", "", "abc"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecodeEncodedWords(c.in, c.prefix), c.want) << c.in;
    EXPECT_EQ(DecodeQWord("S: =?x-sjis?q?=82=A0_a?= z", 3, 11), "S: \x82\xa0_a z");
    EXPECT_EQ(DecodeQWord("=?iso-8859-1?q?caf=E9=zz", 0, 15), "caf\xe9=zz");
    EXPECT_EQ(DecodeMimeWords("=?utf-8?B?QQ?= =?us-ascii?Q?B?=  =?x?B?!?= tail"),
              "AB=?x?B?!?= tail");
}
