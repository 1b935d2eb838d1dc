#include <gtest/gtest.h>

#include "fakes/Fakes.h"
#include "mail/DecodeCommand.h"
#include "mail/EncodedWords.h"
#include "mail/JisKana.h"
#include "mail/JisRepair.h"
#include "mail/NkfConverter.h"
#include "mail/RawMailDecoder.h"
#include "mail/TextReplace.h"
#include "text/Cp932.h"

using namespace varnel::mail;
using Lines = std::vector<std::string>;

TEST(JisKana, FullWidthTableReadsAsTheHalfWidthKana) {
    // The full-width forms of 0x21-0x5F in order.
    const std::string want =
        "。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒ"
        "フヘホマミムメモヤユヨラリルレロワン゛゜";
    std::string jis = "\x1b(I";
    for (int c = 0x21; c <= 0x5F; ++c) {
        if (c == 0x5E || c == 0x5F)
            jis += "\x1b(B\x1b(I";  // a mark at the start of a run stays a mark
        jis += static_cast<char>(c);
    }
    JisKanaToFullWidth(jis);
    std::string plain = JisToSjis(jis);
    EXPECT_EQ(varnel::text::Cp932ToUtf8(plain), want);
    for (int c = 0x21; c <= 0x5F; ++c) {
        const auto code = FullWidthKanaCode(static_cast<unsigned char>(c));
        EXPECT_EQ(HalfWidthKanaBytes(code >> 8, code & 0xFF), std::string(1, char(c)));
    }
}

TEST(JisKana, MarksAndOddBytes) {
    struct Case {
        std::string in, wantUtf8;
    } cases[] = {
        {"\x1b(I6^\x1b(B", "ガ"},
        {"\x1b(I^6\x1b(B", "゛カ"},  // a run that begins with the mark
        {"\x1b(I3^\x1b(B", "ヴ"},
        {"\x1b(IJ_N^\x1b(B", "パボ"},
        {"\x1b(IE^6__\x1b(B", "ナ゛カ゜゜"},  // marks after kana that take none
        {"a\x1b(I1", "aア"},                  // run to the end
    };
    for (auto& c : cases) {
        std::string t = c.in;
        JisKanaToFullWidth(t);
        EXPECT_EQ(varnel::text::Cp932ToUtf8(JisToSjis(t)), c.wantUtf8) << c.in;
    }
    std::string odd = "\x1b(I1\x7f\r";  // bytes outside 0x21-0x5F pass through
    JisKanaToFullWidth(odd);
    EXPECT_EQ(odd, "\x1b$B%\"\x7f\r");
    std::string none = "abc";
    JisKanaToFullWidth(none);
    EXPECT_EQ(none, "abc");
    EXPECT_EQ(HalfWidthKanaBytes(0x25, 0x2C), "6^");
    EXPECT_EQ(HalfWidthKanaBytes(0x25, 0x74), "3^");
    EXPECT_EQ(HalfWidthKanaBytes(0x30, 0x21), "");
}

TEST(JisRepair, DamagedForms) {
    struct Case {
        std::string in, want;
    } cases[] = {
        {"\x1b$B\x1b(Jabc", "\x1b(Jabc"},
        {"\x1b$B(Jabc", "\x1b(Jabc"},
        {"ay$B$\"y(Jb", "a\x1b$B$\"\x1b(Jb"},
        {"Sony(Japan) pay$", "Sony(Japan) pay$"},  // plain text is left alone
        {"\x1b$B$\"\x1b(Jw\x1b$B%+%,%\"\x1b(B", "\x1b$B$\"\x1b(I66^1\x1b(B"},
        {"\x1b(Jw\x1b$B%\"$\"\x1b(B", "\x1b(I1\x1b$B$\"\x1b(B"},
        {"\x1b$B$\"\x1b(Jx1\x1b$B$\"", "\x1b$B$\"\x1b(I1\x1b$B$\""},
        {"\x1b$B$\"y(Jx", "\x1b$B$\"\x1b(Jx"},
        {"\x1b$B$y(J", "\x1b$B$y(J"},  // "y(" inside a pair is text
    };
    for (const auto& c : cases)
        EXPECT_EQ(RepairDamagedJis(c.in), c.want) << c.in;
}

TEST(TextReplace, ReplaceAllTextEnds) {
    std::string s = "aaaaab";
    ReplaceAllText(s, "aa", "a");
    EXPECT_EQ(s, "ab");
    s = "xax";
    ReplaceAllText(s, "a", "aa");
    EXPECT_EQ(s, "xaax");
    s = "\x83\x5c\\";  // "ソ" then a backslash: only the real one matches
    ReplaceAllText(s, "\\", "/");
    EXPECT_EQ(s, "\x83\x5c/");
    EXPECT_EQ(StripLeadingBlanks(" \t x "), "x ");
}

// Inputs built to make a naive rescan quadratic finish at once.
TEST(TextReplace, AdversarialInputsStayLinear) {
    std::string s = "\x1b$B" + std::string(200000, '\x0f');
    ReplaceAllText(s, "\x1b$B\x0f", "\x1b$B");
    EXPECT_EQ(s, "\x1b$B");
    std::string words;
    for (int i = 0; i < 100000; ++i)
        words += "=?a?B?x ";
    EXPECT_EQ(DecodeMimeWords(words), words);
    std::string q = "Subject:";
    for (int i = 0; i < 50000; ++i)
        q += " =?x-sjis?q?=41?=";
    const auto out = DecodeRawMail({q}, false);
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[1].size(), 8u + 2u * 50000u);
}

TEST(RawMailDecoder, HeaderAndBodies) {
    struct Case {
        const char* what;
        Lines in, want;
    } cases[] = {
        {"empty text", {}, {"X-Status: READ", "--------"}},
        {"folded subject of JIS words, status kept",
         {"X-Status: RECV", "Subject: =?ISO-2022-JP?B?GyRCO3FOQRsoQg==?=",
          " =?ISO-2022-JP?B?GyRCO3FOQRsoQg==?=", "From: a", "", "body"},
         {"X-Status: RECV", "Subject: \x1b$B;qNA\x1b(B\x1b$B;qNA\x1b(B", "From: a", "--------",
          "body"}},
        {"Q words",
         {"Subject: =?x-sjis?q?=82=A0?= =?x-sjis?q?=82=A2?=", "--------"},
         {"X-Status: READ", "Subject: \x82\xa0 \x82\xa2", "--------"}},
        {"quoted-printable body with soft breaks and a split escape",
         {"Content-Transfer-Encoding: quoted-printable", "", "A=", "1B$B$\"=1B(B", "x=3", "D=zz"},
         {"X-Status: READ", "Content-Transfer-Encoding: quoted-printable", "--------",
          "A\x1b$B$\"\x1b(B", "x==zz"}},
        {"kanji run across lines joined, last line ends the join",
         {"From: a", "", "\x1b$B$\"", "$\"\x1b(B", "x", "\x1b$B$\""},
         {"X-Status: READ", "From: a", "--------", "\x1b$B$\"$\"\x1b(B", "x", "\x1b$B$\""}},
        {"control codes for escapes",
         {"", "\x0e\x31\x0fx"},
         {"X-Status: READ", "--------", "\x1b(I1\x1b(Jx"}},
        {"Base64 body",
         {"Content-Transfer-Encoding: base64", "", "GyRCJCIbKEINCmFiYw0K", "Yw=="},
         {"X-Status: READ", "Content-Transfer-Encoding: base64", "--------", "\x1b$B$\"\x1b(B",
          "abc", "c"}},
        {"multipart: first part header read for its encoding",
         {"Content-Type: multipart/mixed;", " boundary=\"b\"", "", "preamble", "--b",
          "Content-Transfer-Encoding: base64", "", "YWJj", "--b--"},
         {"X-Status: READ", "Content-Type: multipart/mixed;", " boundary=\"b\"", "--------",
          "abc"}},
        {"decoded word shortens the boundary line (found by fuzzing)",
         {"Content-Type: multipart/mixed; =?x-sjis?q?=41=41=41=41?= boundary=b", "", "--b", "", "x",
          "--b--"},
         {"X-Status: READ", "Content-Type: multipart/mixed; AAAA boundary=b", "--------", "x",
          "--b--"}},
        {"Outlook backslashes",
         {"X-Mailer: Microsoft Outlook", "Subject: \x1b$B$\"\x1b\\(B\\\\", "--------"},
         {"X-Status: READ", "X-Mailer: Microsoft Outlook", "Subject: \x1b$B$\"\x1b(B\\",
          "--------"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecodeRawMail(c.in, false), c.want) << c.what;
    EXPECT_EQ(DecodeRawMail({"", "\x1b(I6^\x1b(B"}, true).back(), "\x1b$B%,\x1b(B");
}

// The window's Decode commands cover the private directory, the viewer's command line
// and a viewer that fails to start; here: without a usable viewer the text is still made.
TEST(DecodeCommand, WithoutAViewerTheTextIsStillShown) {
    varnel::fakes::RecordingLauncher launcher;
    std::string error;
    auto dir = PrivateTempDir::Create(error);
    ASSERT_TRUE(dir) << error;
    const Lines mail = {"Subject: x", "", "body"};
    for (const char* viewer : {"", "  ", "'unterminated"}) {
        const auto r = Decode1Click(mail, DecodeViewer{launcher, *dir, viewer, false});
        const bool unreadable = viewer[0] == '\'';
        EXPECT_EQ(r.status, unreadable ? DecodeCommandResult::Status::Failed
                                       : DecodeCommandResult::Status::Done)
            << viewer;
        EXPECT_EQ(r.message.empty(), !unreadable) << viewer;
        EXPECT_EQ(r.lines, (Lines{"X-Status: READ", "Subject: x", "--------", "body"})) << viewer;
    }
    EXPECT_TRUE(launcher.started.empty());
}
