#include <gtest/gtest.h>

#include "link/MailerMacros.h"

using namespace varnel::link;

// The command formats themselves are checked through MailerLink; here the mail references.
TEST(MailerMacros, MailReferences) {
    EXPECT_EQ(*MailRefOf("/p/Trash/0001.txt")->folderFile.rbegin(), 'n');
    EXPECT_FALSE(MailRefOf("/p/in/001.txt"));
    EXPECT_EQ(PadMailNumber(7), "0007");
    EXPECT_EQ(PadMailNumber(12345), "2345");
}

// A field that would break the macro's syntax is refused; CP932 names whose trail byte is
// 0x5D or 0x5B (江, 転, ゾ, 擬) are whole characters and pass.
TEST(MailerMacros, RefusesFieldsThatBreakTheSyntax) {
    const struct {
        std::string field;
        bool bare, quoted;  // accepted in a bare field (Focus, Move), in a quoted one
    } cases[] = {
        {"/p/a,b", false, true},
        {"/p/a)b", false, true},
        {"/p/a]b", false, false},
        {"/p/a\"b", false, false},
        {"/p/a\nb", false, false},
        {"/p/a[b", false, true},
        {"/p/\x8d\x5d\x83\x5d", true, true},
        {"/p/\x93\x5d\x8b\x5b", true, true},
        {"/p/\x8d\x5d]", false, false},
        // In UTF-8 every "]" byte is a "]": 江 is E6 B1 9F there.
        {"/p/\xe6\xb1\x9f]", false, false},
    };
    for (const auto& c : cases) {
        const MailRef m{c.field + ".fld", "0001"};
        EXPECT_EQ(FocusMacro(m).has_value(), c.bare) << c.field;
        EXPECT_EQ(FolderMacro(false, "/p/t.fld", m).has_value(), c.bare) << c.field;
        EXPECT_EQ(FolderMacro(true, c.field, MailRef{"/p/in.fld", "0001"}).has_value(), c.bare)
            << c.field;
        EXPECT_EQ(ForwardMacro(m).has_value(), c.quoted) << c.field;
        EXPECT_EQ(AppendMacro(c.field + " <e@example.jp>").has_value(), c.quoted) << c.field;
    }
    EXPECT_FALSE(ViewMacro("Sideways"));
    EXPECT_EQ(*AppendMacro("Taro <t@example.jp>"), "[Append(\"Taro <t@example.jp>\")]");
}
