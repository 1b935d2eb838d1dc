// The Help menu and the pop-up's Open File reach the window through the command table
// and start their programs as argument vectors.
#include <gtest/gtest.h>

#include <cctype>

#include "TempDir.h"
#include "app/CommandTable.h"
#include "app/FormFakes.h"

namespace varnel::app {
namespace {

TEST(LinkCommandsTest, AboutTellsTheVersion) {
    testing::TempDir tmp;
    testing::FormFakes fakes;
    auto form = fakes.StartForm({}, tmp / "varnel32.ini", tmp.path());
    fakes.prompter.asked.clear();
    RunCommand(*form, "About1");
    ASSERT_EQ(fakes.prompter.asked.size(), 1u);
    const std::string& told = fakes.prompter.asked[0];
    const std::size_t at = told.find("Varnel32 for Linux ");
    ASSERT_NE(at, std::string::npos);
    EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(told[at + 19])));  // the version
}

// The help page comes from the installed data, never from the working directory, and
// goes to the configured browser as a file URL.
TEST(LinkCommandsTest, HelpPageIsTheInstalledOne) {
    testing::TempDir tmp;
    testing::FormFakes fakes;
    tmp.Write("work/vnl_help.htm", "decoy");
    auto form =
        fakes.StartForm({}, tmp / "varnel32.ini", tmp / "work", {{"XDG_DATA_DIRS", tmp / "data"}});
    ASSERT_TRUE(RunCommand(*form, "Contents1"));
    EXPECT_TRUE(fakes.launcher.started.empty());
    ASSERT_FALSE(fakes.prompter.asked.empty());
    EXPECT_NE(fakes.prompter.asked.back().find("vnl_help.htm"), std::string::npos);

    tmp.Write("data/varnel32/vnl_help.htm", "<html></html>");
    tmp.Write("varnel32.ini", "[Location]\nWebBrowserPath=\"my browser\" --new\n");
    form =
        fakes.StartForm({}, tmp / "varnel32.ini", tmp / "work", {{"XDG_DATA_DIRS", tmp / "data"}});
    fakes.timer1.Tick();
    ASSERT_TRUE(RunCommand(*form, "Contents1"));
    EXPECT_EQ(fakes.launcher.started,
              (std::vector<std::vector<std::string>>{
                  {"my browser", "--new", "file://" + tmp / "data/varnel32/vnl_help.htm"}}));
}

TEST(LinkCommandsTest, AuthorItemsAndOpenFile) {
    testing::TempDir tmp;
    testing::FormFakes fakes;
    tmp.Write("pelk/pelkmail", "");
    const std::string file = tmp.Write("saved/report.pdf", "%PDF");
    tmp.Write("saved/run.sh", "");
    tmp.Write("varnel32.ini", "[Location]\nDecodeDir=" + tmp / "saved" + "\n");
    auto form = fakes.StartForm({}, tmp / "varnel32.ini", tmp.path(),
                                {{"PELKHOME", tmp / "pelk"}, {"HOME", tmp / "home"}});
    fakes.timer1.Tick();
    ASSERT_TRUE(RunCommand(*form, "MailtoAuthor1"));
    ASSERT_EQ(fakes.launcher.started.size(), 1u);
    EXPECT_EQ(fakes.launcher.started[0].at(1), "-mailto");
    EXPECT_TRUE(fakes.launcher.started[0].at(2).ends_with("?subject=Varnel32"));
    ASSERT_TRUE(RunCommand(*form, "VarnelWebPage1"));
    ASSERT_EQ(fakes.launcher.started.size(), 2u);
    EXPECT_EQ(fakes.launcher.started[1].at(0), "xdg-open");
    EXPECT_TRUE(fakes.launcher.started[1].at(1).starts_with("https://"));

    // Open File: the selection without its line end, a name relative to DecodeDir; a
    // script only after a Yes; a missing file is told.
    editor::TSonEdit2& e = form->SonEdit1();
    const auto openSelected = [&](const std::string& text) {
        e.SetText(text + "\r\nnext");
        e.Select({0, 0}, {1, 0});
        fakes.prompter.asked.clear();
        ASSERT_TRUE(RunCommand(*form, "OpenFile1"));
    };
    openSelected("report.pdf");
    EXPECT_EQ(fakes.launcher.opened, (std::vector<std::string>{file}));
    fakes.prompter.script.push_back(platform::Answer::No);
    openSelected("run.sh");
    EXPECT_EQ(fakes.prompter.asked.size(), 1u);
    EXPECT_EQ(fakes.launcher.opened.size(), 1u);
    openSelected("missing.pdf");
    EXPECT_EQ(fakes.prompter.asked.size(), 1u);
    EXPECT_EQ(fakes.launcher.opened.size(), 1u);
}

}  // namespace
}  // namespace varnel::app
