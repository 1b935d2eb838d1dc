// Files dropped on the window: the first is shown as plain text under its own name,
// after the unsaved-text question; a missing file is reported and changes nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "FormFakes.h"
#include "TempDir.h"
#include "app/TForm1.h"
#include "fakes/Fakes.h"

namespace varnel::app {
namespace {

namespace fs = std::filesystem;

class FileDropTest : public ::testing::Test, protected testing::FormFakes {
  protected:
    void SetUp() override {
        tmp.Write("Notes/Memo.TXT", "one\ntwo \x95\x5c\n");
        form = StartForm({}, (root / "varnel32.ini").string(), root.string());
    }

    testing::TempDir tmp;
    fs::path root{tmp.path()};
    std::unique_ptr<TForm1> form;
};

TEST_F(FileDropTest, FirstFileIsShownAsPlainText) {
    const std::string memo = (root / "Notes" / "Memo.TXT").string();
    form->FileDropped(memo + "|" + (root / "other.txt").string());
    EXPECT_EQ(form->CurrentMailFile, memo);  // case kept
    EXPECT_EQ(Shown(), (std::vector<std::string>{"one", "two \x95\x5c"}));
    EXPECT_EQ(view.title, "Varnel32 - Notes  Memo.TXT");
    EXPECT_FALSE(form->SonEdit1().Modified());
    EXPECT_TRUE(channel.Macros().empty());  // a plain file tells the mailer nothing
}

TEST_F(FileDropTest, UnsavedTextIsAskedAboutAndMissingFilesReported) {
    form->SonEdit1().SetModified(true);
    prompter.script.push_back(platform::Answer::Cancel);
    form->FileDropped((root / "Notes" / "Memo.TXT").string());
    EXPECT_EQ(prompter.asked.size(), 1u);
    EXPECT_TRUE(Shown().empty());

    form->SonEdit1().SetModified(false);
    form->FileDropped((root / "missing.txt").string());
    EXPECT_EQ(prompter.asked.size(), 2u);
    EXPECT_TRUE(Shown().empty());
    form->FileDropped("");
    EXPECT_EQ(prompter.asked.size(), 2u);
}

}  // namespace
}  // namespace varnel::app
