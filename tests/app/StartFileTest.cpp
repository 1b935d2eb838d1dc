// Start-up file classification: compose files, open prefix, wait message and icon.
// The initial viewer/editor mode is checked on the window (TForm1Test).
#include <gtest/gtest.h>

#include "app/StartFile.h"

namespace varnel::app {
namespace {

TEST(StartFileTest, ComposeFilesAndOpenPrefix) {
    struct Case {
        std::string name;
        bool compose;
    };
    const Case cases[] = {
        {"/tmp/_pel0001.tmp", true},         {"/tmp/_PEL0001.TMP", true},
        {"/home/u/pelk/out/0003.txt", true}, {"/home/u/pelk/OUT/0003.txt", true},
        {"/home/u/pelk/in/0001.txt", false}, {"/home/u/pelk/outbox/0001.txt", false},
        {"/home/u/out.txt", false},          {"/tmp/x_pel0001.tmp", false},
        {"/tmp/_pel0001.txt", false},        {"", false},
    };
    for (const auto& c : cases) {
        const StartFile s = ClassifyStartFile(c.name, false);
        EXPECT_EQ(s.compose, c.compose) << c.name;
        EXPECT_EQ(s.OpenPrefix, c.compose ? "dummy" : "[open(\"") << c.name;
    }
}

TEST(StartFileTest, WaitForMailerOnlyForItsTemporaryFiles) {
    EXPECT_TRUE(ClassifyStartFile("/tmp/_pel0001.tmp", true).waitForMailer);
    EXPECT_TRUE(ClassifyStartFile("/tmp/Reply.TMP", true).waitForMailer);
    EXPECT_FALSE(ClassifyStartFile("/tmp/_pel0001.tmp", false).waitForMailer);
    EXPECT_FALSE(ClassifyStartFile("/tmp/_varnel.tmp", true).waitForMailer);
    EXPECT_FALSE(ClassifyStartFile("/home/u/pelk/in/0001.txt", true).waitForMailer);
    // A directory name is not the file's name.
    EXPECT_FALSE(ClassifyStartFile("/home/u/x.tmp/in/0001.txt", true).waitForMailer);
}

TEST(StartFileTest, RelativeNamesBecomeAbsolute) {
    EXPECT_EQ(AbsoluteStartPath("in/0001.txt", "/home/u/Pelk"), "/home/u/Pelk/in/0001.txt");
    EXPECT_EQ(AbsoluteStartPath("./0001.txt", "/home/u/Pelk/in/"), "/home/u/Pelk/in/0001.txt");
    EXPECT_EQ(AbsoluteStartPath("/abs/0001.txt", "/home/u"), "/abs/0001.txt");
    EXPECT_EQ(AbsoluteStartPath("", "/home/u"), "");
}

TEST(StartFileTest, Icon) {
    using platform::WindowIcon;
    EXPECT_EQ(StartIcon(true, false, "/usr/bin/varnel32"), WindowIcon::Editing);
    EXPECT_EQ(StartIcon(false, true, "/usr/bin/varnel32"), WindowIcon::Editing);
    EXPECT_EQ(StartIcon(false, false, "/usr/bin/varnel32"), WindowIcon::Default);
    EXPECT_EQ(StartIcon(false, false, "/opt/v/VARN32"), WindowIcon::Default);
    EXPECT_EQ(StartIcon(false, false, "/opt/v/viewer"), WindowIcon::Alternative);
}

}  // namespace
}  // namespace varnel::app
