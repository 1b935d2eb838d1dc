// Close query prompts and the settings written at close.
#include <gtest/gtest.h>

#include "app/CloseFlow.h"
#include "fakes/Fakes.h"

namespace varnel::app {
namespace {

using platform::Answer;

TEST(CloseFlowTest, Query) {
    struct Case {
        std::string file;
        bool modified;
        bool withoutAsking;
        bool english;
        std::optional<Answer> answer;  // none: no question expected
        bool saveWorks;
        bool allowed;
        bool saved;
    };
    const Case cases[] = {
        {"/p/in/0001.txt", false, false, true, std::nullopt, true, true, false},
        {"/p/in/0001.txt", true, true, true, std::nullopt, true, true, false},
        {"/p/out/0001.txt", true, false, true, Answer::No, true, true, false},
        {"/p/out/0001.txt", true, false, true, Answer::Cancel, true, false, false},
        {"/p/out/0001.txt", true, false, true, Answer::Yes, true, true, true},
        {"/tmp/_pel0001.tmp", true, false, true, Answer::Yes, false, false, true},
        {"/tmp/_pel0001.tmp", true, false, false, Answer::Yes, true, true, true},
    };
    for (const auto& c : cases) {
        fakes::ScriptedPrompter prompter;
        if (c.answer)
            prompter.script.push_back(*c.answer);
        bool saved = false;
        const bool allowed =
            CloseQuery({c.withoutAsking, c.modified, c.file, c.english}, prompter, [&] {
                saved = true;
                return c.saveWorks;
            });
        EXPECT_EQ(allowed, c.allowed) << c.file;
        EXPECT_EQ(saved, c.saved) << c.file;
        EXPECT_EQ(prompter.asked.size(), c.answer ? 1u : 0u) << c.file;
    }
}

TEST(CloseFlowTest, QuestionWording) {
    const auto ask = [](const std::string& file, bool english) {
        fakes::ScriptedPrompter prompter;
        prompter.script.push_back(Answer::Cancel);
        CloseQuery({false, true, file, english}, prompter, [] { return true; });
        return prompter.asked.at(0);
    };
    EXPECT_EQ(ask("/p/out/0001.txt", true), "Save 0001.txt ?");
    EXPECT_EQ(ask("/p/out/0001.txt", false), "0001.txt を保存しますか?");
    EXPECT_EQ(ask("/tmp/_pel0001.TMP", true),
              "Save _pel0001.TMP ?  The file will be lost if you select YES or NO during "
              "shutting down the Windows.  Select CANCEL to continue composing.");
    EXPECT_EQ(ask("/tmp/_pel0001.tmp", false).rfind("_pel0001.tmp を保存しますか？　Windows", 0),
              0u);
    EXPECT_EQ(ask("", true), "Save [Untitled] ?");
}

TEST(CloseFlowTest, WritesAtClose) {
    const platform::WindowPlacement p{10, 20, 700, 350};
    const auto keys = [](const std::vector<SettingWrite>& w) {
        std::string s;
        for (const auto& x : w)
            s += x.section + "." + x.key + "=" + x.value + ";";
        return s;
    };
    EXPECT_EQ(keys(ClosingWrites(platform::WindowState::Normal, p, "/p/in/0001.txt", "/d")),
              "Window.Left=10;Window.Top=20;Window.Height=350;Window.Width=700;"
              "Location.SaveAsDir=/d;");
    EXPECT_EQ(keys(ClosingWrites(platform::WindowState::Normal, p, "/tmp/_pel0001.tmp", "")),
              "Window.Left=10;Window.Top=20;Window.Height=350;Window.EditWidth=700;"
              "Location.SaveAsDir=;");
    EXPECT_EQ(keys(ClosingWrites(platform::WindowState::Normal, p, "/p/out/0002.txt", "")),
              "Window.Left=10;Window.Top=20;Window.Height=350;Window.EditWidth=700;"
              "Location.SaveAsDir=;");
    EXPECT_EQ(keys(ClosingWrites(platform::WindowState::Maximized, p, "/p/in/0001.txt", "/d")),
              "Location.SaveAsDir=/d;");
    EXPECT_EQ(keys(ClosingWrites(platform::WindowState::Minimized, p, "", "/d")),
              "Location.SaveAsDir=/d;");
    EXPECT_EQ(keys(ClosingWrites(platform::WindowState::Minimized, p, "", std::nullopt)), "");
}

}  // namespace
}  // namespace varnel::app
