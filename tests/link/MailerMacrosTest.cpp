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

TEST(MailerMacros, RefusesFieldsThatBreakTheSyntax) {
    const char* hostile[] = {"/p/a,b/x", "/p/a)b", "/p/a]b", "/p/a\"b", "/p/a\nb", "/p/a[b"};
    for (const char* dir : hostile) {
        MailRef m{std::string(dir) + ".fld", "0001"};
        EXPECT_FALSE(FocusMacro(m)) << dir;
        EXPECT_FALSE(FolderMacro(false, "/p/t.fld", m)) << dir;
        EXPECT_FALSE(FolderMacro(true, dir, MailRef{"/p/in.fld", "0001"})) << dir;
    }
    EXPECT_TRUE(ForwardMacro(MailRef{"/p/a,b.fld", "0001"}));  // quoted: comma is fine
    // CP932 names whose trail byte is 0x5D (江, ゾ) hold no "]"; a real one is refused.
    EXPECT_TRUE(FocusMacro(MailRef{"/p/\x8d\x5d\x83\x5d.fld", "0001"}));
    EXPECT_TRUE(AppendMacro("\x8f\x5d <t@example.jp>"));
    EXPECT_FALSE(FocusMacro(MailRef{"/p/\x8d\x5d].fld", "0001"}));
    // In UTF-8 every "]" byte is a "]": 江 is E6 B1 9F there.
    EXPECT_FALSE(FocusMacro(MailRef{"/p/\xe6\xb1\x9f].fld", "0001"}));
    EXPECT_FALSE(ForwardMacro(MailRef{"/p/a\"b.fld", "0001"}));
    EXPECT_FALSE(ViewMacro("Sideways"));
    EXPECT_FALSE(AppendMacro("x\"y"));
    EXPECT_EQ(*AppendMacro("Taro <t@example.jp>"), "[Append(\"Taro <t@example.jp>\")]");
    // Names whose trail byte is 0x5D or 0x5B (江, 転, ゾ, 擬) are whole characters.
    for (const char* name : {"\x8d\x5d", "\x93\x5d", "\x83\x5d", "\x8b\x5b"}) {
        EXPECT_TRUE(AppendMacro(std::string(name) + " <e@example.jp>")) << name;
        EXPECT_TRUE(FocusMacro(MailRef{"/p/" + std::string(name) + ".fld", "0001"})) << name;
    }
    EXPECT_FALSE(AppendMacro("\x8d\x5d]"));
}
