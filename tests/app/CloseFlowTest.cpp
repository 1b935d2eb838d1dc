// The close query's wording. What each answer does, and the settings written at close,
// are checked on the window (TForm1Test, WorkingFilesTest).
#include <gtest/gtest.h>

#include "app/CloseFlow.h"
#include "fakes/Fakes.h"

namespace varnel::app {
namespace {

TEST(CloseFlowTest, QuestionWording) {
    const struct {
        const char* file;
        bool english;
        std::string said;  // the question, or its start when it ends in "..."
    } cases[] = {
        {"/p/out/0001.txt", true, "Save 0001.txt ?"},
        {"/p/out/0001.txt", false, "0001.txt を保存しますか?"},
        {"/tmp/_pel0001.TMP", true,
         "Save _pel0001.TMP ?  The file will be lost if you select YES or NO during shutting "
         "down the Windows.  Select CANCEL to continue composing."},
        {"/tmp/_pel0001.tmp", false, "_pel0001.tmp を保存しますか？　Windows..."},
        {"", true, "Save [Untitled] ?"},
    };
    for (const auto& c : cases) {
        fakes::ScriptedPrompter prompter;
        prompter.script.push_back(platform::Answer::Cancel);
        CloseQuery({false, true, c.file, c.english}, prompter, [] { return true; });
        ASSERT_EQ(prompter.asked.size(), 1u);
        if (c.said.ends_with("..."))
            EXPECT_TRUE(prompter.asked[0].starts_with(c.said.substr(0, c.said.size() - 3)));
        else
            EXPECT_EQ(prompter.asked[0], c.said);
    }
}

}  // namespace
}  // namespace varnel::app
