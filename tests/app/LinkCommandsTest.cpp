// The Help menu's About reaches the window through the command table.
#include <gtest/gtest.h>

#include <cctype>

#include "app/CommandTable.h"
#include "app/FormFakes.h"
#include "app/TempDir.h"

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

}  // namespace
}  // namespace varnel::app
