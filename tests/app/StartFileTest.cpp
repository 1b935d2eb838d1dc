// Start-up file classification: wait message and icon. Which names are compose files is
// checked in MailNamesTest; the open prefix and initial mode on the window (TForm1Test).
#include <gtest/gtest.h>

#include "app/StartFile.h"

namespace varnel::app {
namespace {

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
