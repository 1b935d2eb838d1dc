// SplitCommand: shell-like quoting without expansion, double-byte aware.
#include <gtest/gtest.h>

#include "text/CommandSplit.h"

namespace varnel::text {
namespace {

using Words = std::vector<std::string>;

TEST(CommandSplitTest, SplitsLikeAShellWithoutExpanding) {
    struct Case {
        std::string command;
        Words want;
    } cases[] = {
        {"", {}},
        {"  \t ", {}},
        {"prog", {"prog"}},
        {"  prog  a\tb\r\nc ", {"prog", "a", "b", "c"}},
        {"\"/opt/My Mail/pelkmail\" --x", {"/opt/My Mail/pelkmail", "--x"}},
        {"'/a b/c' 'it''s'", {"/a b/c", "its"}},
        {"a\"b c\"d", {"ab cd"}},
        {"\"\" x ''", {"", "x", ""}},
        {"\"say \\\"hi\\\" \\\\ \\$HOME \\n\"", {"say \"hi\" \\ $HOME \\n"}},
        {"'no \\ escapes \"here\"'", {"no \\ escapes \"here\""}},
        {"a\\ b \\\"q\\\"", {"a b", "\"q\""}},
        {"$HOME ~/x *.txt `id` %f", {"$HOME", "~/x", "*.txt", "`id`", "%f"}},
        // 0x5C as the trail byte of ソ is no backslash: the blank still separates.
        {"/m/\x83\x5c x", {"/m/\x83\x5c", "x"}},
        {"\"/m/\x83\x5c\" x", {"/m/\x83\x5c", "x"}},
        // An escaped double-byte character stays whole.
        {"\\\x83\x5c", {"\x83\x5c"}},
    };
    for (const Case& c : cases) {
        Words words{"stale"};
        std::string error;
        EXPECT_TRUE(SplitCommand(c.command, words, &error)) << c.command << ": " << error;
        EXPECT_EQ(words, c.want) << c.command;
    }
}

TEST(CommandSplitTest, RejectsUnterminatedQuotesAndTrailingBackslash) {
    for (const char* bad : {"\"open", "a 'b", "x \\", "\"a\\\""}) {
        Words words{"stale"};
        std::string error;
        EXPECT_FALSE(SplitCommand(bad, words, &error)) << bad;
        EXPECT_TRUE(words.empty()) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
    Words words;
    EXPECT_FALSE(SplitCommand("'x", words));  // no error string wanted
}

}  // namespace
}  // namespace varnel::text
