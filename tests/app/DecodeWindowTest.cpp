// The Decode commands in the window: the decoded mail is shown line by line, for
// reading only, and the outside viewer gets the same lines.
#include <gtest/gtest.h>

#include "FormFakes.h"
#include "TempDir.h"

namespace varnel::app {
namespace {

namespace fs = std::filesystem;

// A raw mail whose Base64 body holds three lines ("one", "two", "three").
const std::string kRawMail =
    "Subject: b\r\nContent-Transfer-Encoding: base64\r\n\r\nb25lDQp0d28NCnRocmVlDQo=\r\n";

class DecodeWindowTest : public ::testing::Test, protected testing::FormFakes {
  protected:
    TForm1& Start(const std::string& location) {
        const fs::path root{tmp.path()};
        const fs::path draft = root / "Pelk" / "out" / "0005.txt";
        testing::WriteBytes(draft, kRawMail);
        const fs::path ini = root / "varnel32.ini";
        testing::WriteBytes(ini, "[View]\r\nEnglishMenu=1\r\n[Location]\r\n" + location);
        form = StartForm({draft.string()}, ini.string(), root.string(),
                         {{"PELKHOME", (root / "Pelk").string()}});
        return *form;
    }

    testing::TempDir tmp;
    std::unique_ptr<TForm1> form;
};

TEST_F(DecodeWindowTest, TheDecodedMailShowsAsLines) {
    const std::vector<std::string> want = {
        "X-Status: READ", "Subject: b", "Content-Transfer-Encoding: base64",
        "--------",       "one",        "two",
        "three"};
    struct Case {
        const char* location;
        std::size_t viewersStarted;
    } const cases[] = {{"TesraExe=/usr/bin/tesra\r\n", 1}, {"", 0}};
    for (const Case& c : cases) {
        launcher.started.clear();
        TForm1& f = Start(c.location);
        prompter.asked.clear();
        f.Decode1Click();
        EXPECT_EQ(Shown(), want) << c.location;
        EXPECT_TRUE(f.SonEdit1().ReadOnly);
        // No viewer set is no failure: nothing is said.
        EXPECT_TRUE(prompter.asked.empty()) << c.location;
        EXPECT_EQ(launcher.started.size(), c.viewersStarted);
    }
}

}  // namespace
}  // namespace varnel::app
