// The user menus of the settings file: packed entries with their own keys, insertion
// texts, and user commands (folder and program forms, the "$32.ext" copy in the private
// directory).
#include <gtest/gtest.h>

#include "FormTest.h"
#include "app/UserCommand.h"
#include "app/UserMenus.h"

namespace varnel::app {
namespace {

namespace fs = std::filesystem;
using Words = std::vector<std::string>;

TEST(UserCommand, Forms) {
    const struct {
        const char* command;
        bool folder;
        std::string destination;
        Words program, trailing;
        std::string extension;
    } cases[] = {
        {"C:\\Pelk\\Work.FLD /c", true, "C:\\Pelk\\Work.FLD", {}, {}, ""},
        {"viewer $32 --raw -x", false, "", {"viewer"}, {"--raw", "-x"}, ""},
        {"\"/opt/my viewer\" \"$32\" a", false, "", {"/opt/my viewer"}, {"a"}, ""},
        {"lv -z $32.eml", false, "", {"lv", "-z"}, {}, ".eml"},
        {"lv $16.htm\"", false, "", {"lv"}, {}, ".htm"},
        {"\"/opt/a b/run\" ignored words", false, "", {"/opt/a b/run"}, {}, ""},
        {"a.fld b.exe", false, "", {"a.fld"}, {}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        const UserCommandPlan p = PlanUserCommand(c.command);
        EXPECT_EQ(p.folder, c.folder);
        EXPECT_EQ(p.destination, c.destination);
        EXPECT_EQ(p.program, c.program);
        EXPECT_EQ(p.trailing, c.trailing);
        EXPECT_EQ(p.copyExtension, c.extension);
    }
    EXPECT_EQ(PlanUserCommand("x.fld").operation, "Move");
    EXPECT_EQ(PlanUserCommand("x.fld /C").operation, "Copy");
}

TEST(UserMenus, EntriesArePackedAndKeepTheirOwnKeys) {
    Settings s;
    s.replyStatus.Status = {"Done", "", "Later", "", ""};
    s.key.ReplyWithStatus = {0x70, 0x71, 0x72, 0, 0};
    s.insert.InsertMenu = {"", "Sig", "Half", "", ""};
    s.insert.Insert = {"x", "", "y", "", ""};  // only the third has both
    const auto status = ReplyStatusEntries(s);
    ASSERT_EQ(status.size(), 2u);
    EXPECT_EQ(status[1].text, "Later");  // the second entry runs with the third text
    EXPECT_EQ(status[1].keyCode, 0x72);  // and the third key
    const auto inserts = InsertEntries(s);
    ASSERT_EQ(inserts.size(), 1u);
    EXPECT_EQ(inserts[0].number, 3);
}

TEST(UserMenus, InsertionTextBreaksLinesOnlyAtARealBackslashN) {
    const struct {
        std::string in, out;
    } cases[] = {
        {"a\\nb", "a\r\nb"},
        {"a\\n", "a\r\n"},
        // 0x95 0x5C is one character followed by "n": no line break.
        {"\x95\x5C"
         "n",
         "\x95\x5C"
         "n"},
        {"\x95\x5C\\nx", "\x95\x5C\r\nx"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(InsertionText(c.in), c.out) << c.in;
}

using RunUserCommandTest = testing::FormTest;

TEST_F(RunUserCommandTest, ExtensionCopyGoesIntoThePrivateDirectory) {
    const fs::path mail = Put("Inbox/0001.txt", "Subject: x\r\n\r\nbody\r\n");
    const fs::path exeDir = root / "bin";
    fs::create_directories(exeDir);
    WriteSettings(
        "[Command]\r\nCommandMenu1=Skip\r\nCommandMenu2=View\r\n"
        "Command2=lv $32.eml -z\r\nKeyCommand2=628\r\n");
    Start({mail.string()});
    form->RunSecondPhase();                        // the user menus are read there
    EXPECT_EQ(view.captions["Command1"], "View");  // the first entry with a command
    EXPECT_TRUE(view.visible["Command0"]);
    EXPECT_EQ(view.shortcuts["Command1"], std::vector<int>{628});  // the key of its number
    ASSERT_TRUE(RunCommand(*form, "Command1"));
    ASSERT_EQ(launcher.started.size(), 1u);
    const Words& argv = launcher.started[0];
    ASSERT_EQ(argv.size(), 3u);
    EXPECT_EQ(argv[0], "lv");
    EXPECT_EQ(argv[2], "-z");
    const fs::path copy = argv[1];
    EXPECT_EQ(copy.filename(), "0001.eml");
    EXPECT_NE(copy.parent_path(), exeDir);
    EXPECT_NE(copy.parent_path(), mail.parent_path());
    EXPECT_EQ((fs::status(copy.parent_path()).permissions() & fs::perms::all),
              fs::perms::owner_all);
    EXPECT_EQ(testing::ReadAll(copy), testing::ReadAll(mail));  // as it is now, marked read
    EXPECT_TRUE(fs::is_empty(exeDir));
    form.reset();  // the window goes, and the copy with its directory
    EXPECT_FALSE(fs::exists(copy));
}

}  // namespace
}  // namespace varnel::app
