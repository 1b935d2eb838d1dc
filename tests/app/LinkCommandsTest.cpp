// The Help menu and the pop-up's Open File reach the window through the command table
// and start their programs as argument vectors.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>

#include "FormTest.h"

namespace varnel::app {
namespace {

class LinkCommandsTest : public testing::FormTest {
  protected:
    void SetUp() override {
        env = {{"XDG_DATA_DIRS", (root / "data").string()}};
        workDir = root / "work";
    }
};

// The help page comes from the installed data, never from the working directory, and
// goes to the configured browser as a file URL. About tells the version.
TEST_F(LinkCommandsTest, HelpPageIsTheInstalledOne) {
    tmp.Write("work/vnl_help.htm", "decoy");
    ASSERT_TRUE(RunCommand(Start({}), "Contents1"));
    EXPECT_TRUE(launcher.started.empty());
    ASSERT_FALSE(prompter.asked.empty());
    EXPECT_NE(prompter.asked.back().find("vnl_help.htm"), std::string::npos);

    tmp.Write("data/varnel32/vnl_help.htm", "<html></html>");
    WriteSettings("[Location]\nWebBrowserPath=\"my browser\" --new\n");
    ASSERT_TRUE(RunCommand(StartReady({}), "Contents1"));
    EXPECT_EQ(launcher.started,
              (std::vector<std::vector<std::string>>{
                  {"my browser", "--new", "file://" + tmp / "data/varnel32/vnl_help.htm"}}));

    prompter.asked.clear();
    RunCommand(*form, "About1");
    ASSERT_EQ(prompter.asked.size(), 1u);
    const std::size_t at = prompter.asked[0].find("Varnel32 for Linux ");
    ASSERT_NE(at, std::string::npos);
    EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(prompter.asked[0][at + 19])));
}

TEST_F(LinkCommandsTest, AuthorItemsAndOpenFile) {
    tmp.Write("pelk/pelkmail", "");
    const std::string file = tmp.Write("saved/report.pdf", "%PDF");
    tmp.Write("saved/run.sh", "");
    WriteSettings("[Location]\nDecodeDir=" + tmp / "saved" + "\n");
    env = {{"PELKHOME", tmp / "pelk"}, {"HOME", tmp / "home"}};
    TForm1& f = StartReady({});
    ASSERT_TRUE(RunCommand(f, "MailtoAuthor1"));
    ASSERT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(launcher.started[0].at(1), "-mailto");
    EXPECT_TRUE(launcher.started[0].at(2).ends_with("?subject=Varnel32"));
    ASSERT_TRUE(RunCommand(f, "VarnelWebPage1"));
    ASSERT_EQ(launcher.started.size(), 2u);
    EXPECT_EQ(launcher.started[1].at(0), "xdg-open");
    EXPECT_TRUE(launcher.started[1].at(1).starts_with("https://"));

    // Open File: the selection without its line end, a name relative to DecodeDir; a
    // script only after a Yes; a missing file is told.
    editor::TSonEdit2& e = f.SonEdit1();
    const auto openSelected = [&](const std::string& text) {
        e.SetText(text + "\r\nnext");
        e.Select({0, 0}, {1, 0});
        prompter.asked.clear();
        ASSERT_TRUE(RunCommand(f, "OpenFile1"));
    };
    openSelected("report.pdf");
    EXPECT_EQ(launcher.opened, (std::vector<std::string>{file}));
    prompter.script.push_back(platform::Answer::No);
    openSelected("run.sh");
    EXPECT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(launcher.opened.size(), 1u);
    openSelected("missing.pdf");
    EXPECT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(launcher.opened.size(), 1u);

    // A file link is asked about by its native name: an executable named 実行 (CP932
    // 8E C0 8D 73 in the text) is a program whatever its extension.
    const std::string program = tmp.Write("saved/\xE5\xAE\x9F\xE8\xA1\x8C", "");
    std::filesystem::permissions(program, std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    prompter.script.push_back(platform::Answer::No);
    prompter.asked.clear();
    e.SetText("file://" + tmp / "saved" + "/\x8E\xC0\x8D\x73");  // wider than a line
    e.SelectAll();
    ASSERT_TRUE(RunCommand(f, "OpenFile1"));
    EXPECT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(launcher.opened.size(), 1u);
}

}  // namespace
}  // namespace varnel::app
