// Paragraph colours and link spans: quotes by whole characters, header names, links
// that never start or stop inside a double-byte character.
#include <gtest/gtest.h>

#include "editor/ColourRules.h"

namespace varnel::editor {
namespace {

PaintProperties MainLook() {
    PaintProperties look;
    look.ApplyMainWindowDefaults();
    return look;
}

TEST(ColourRules, ParagraphColours) {
    PaintProperties look = MainLook();
    look.QuotMarkStr = ">|\x81\x84\x81\x62";  // ">|＞｜"
    struct Case {
        const char* text;
        TColor want;
    } cases[] = {
        {"> quoted", colours::clGray},
        {">> second level", colours::clGray},
        {"> Subject: quoted header", colours::clGray},
        {"| bar quote", colours::clGray},
        {"\x81\x84\x88\xf8\x97\x70", colours::clGray},  // ＞引用
        {"\x81\x62 bar", colours::clGray},              // ｜
        // 0x62 is "b": the trail byte of ｜ must not make every "b" line a quote.
        {"bread and butter", colours::clBlack},
        // 0x84 alone after another lead byte is no quote mark either.
        {"\x83\x84 text", colours::clBlack},
        {"Subject: hello", colours::clGreen},
        {"Subject:x", colours::clGreen},
        {"subject: lower case", colours::clBlack},
        {"Date: Mon, 1 Jan 2024", colours::clOlive},
        {"From: someone", colours::clRed},
        {"..--- marker", colours::clTeal},
        {"", colours::clBlack},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParagraphColour(c.text, look), c.want) << c.text;

    look.ColorPrintF = false;
    EXPECT_EQ(ParagraphColour("> quoted", look), colours::clBlack);
    EXPECT_EQ(ParagraphColour("Subject: x", look), colours::clBlack);
}

TEST(ColourRules, SingleByteModeComparesBytes) {
    PaintProperties look;
    look.QuotMarkStr = "\xbb>";  // a Western guillemet and ">"
    EXPECT_TRUE(StartsWithQuoteMark("\xbb text", look.QuotMarkStr, true));
    EXPECT_TRUE(StartsWithQuoteMark("> text", look.QuotMarkStr, true));
    EXPECT_FALSE(StartsWithQuoteMark("text", look.QuotMarkStr, true));
}

struct Span {
    std::string text;
    bool underline;
    bool operator==(const Span&) const = default;
};

std::vector<Span> Links(std::string_view s, const PaintProperties& look = PaintProperties()) {
    std::vector<Span> out;
    for (const LinkSpan& l : FindLinks(s, look))
        out.push_back({std::string(s.substr(l.begin, l.end - l.begin)), l.underline});
    return out;
}

TEST(ColourRules, LinksRunToTheirStopCharacter) {
    struct Case {
        const char* text;
        std::vector<Span> want;
    } cases[] = {
        {"see http://example.com/x and more", {{"http://example.com/x", true}}},
        {"https://a.jp/?q=1>", {{"https://a.jp/?q=1", true}}},
        {"<mailto:a@b.example>", {{"mailto:a@b.example", true}}},
        {"ftp://x.org/pub\tnext", {{"ftp://x.org/pub", true}}},
        {"file:///tmp/x|y", {{"file:///tmp/x", true}}},
        {"\\\\server\\share here", {{"\\\\server\\share", true}}},
        {"two http://a.jp http://b.jp", {{"http://a.jp", true}, {"http://b.jp", true}}},
        // A stop byte inside the first five bytes does not end the link.
        {"\\\\a b c", {{"\\\\a b", true}}},
        // The trail byte 0x7C of ポ is no "|": the link runs through the katakana.
        {"http://x.jp/\x83\x7c\x81\x5b\x83\x67 end",
         {{"http://x.jp/\x83\x7c\x81\x5b\x83\x67", true}}},
        // The trail byte 0x5C of ソ or 表 never starts a "\\" link.
        {"\x83\x5c\\abc", {}},
        {"\x95\x5c\\x", {}},
        {"\x83\x5c\\\\srv\\x", {{"\\\\srv\\x", true}}},
        {"tag:example.com,2024:x", {{"tag:example.com", true}}},
        {"tag:nodot", {}},
        {"plain text only", {}},
        {"HTTP://upper.case", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Links(c.text), c.want) << c.text;
}

TEST(ColourRules, AttachmentNamesAndHtmlTags) {
    EXPECT_EQ(Links(".------ attached \"\x8e\x91\x97\xbf.pdf\" (1,234 bytes)"),
              (std::vector<Span>{{"\x8e\x91\x97\xbf.pdf", true}}));
    EXPECT_EQ(Links("<b>bold</b>"), (std::vector<Span>{}));
    PaintProperties look;
    look.ShowHTMLTagColor = true;
    EXPECT_EQ(
        Links("<b>bold</b> <a href=\"http://x.jp\">", look),
        (std::vector<Span>{{"<b>", false}, {"</b>", false}, {"<a href=\"http://x.jp\">", false}}));
    PaintProperties off;
    off.ColorPrintF = false;
    EXPECT_TRUE(Links("http://example.com", off).empty());
}

}  // namespace
}  // namespace varnel::editor
