// Command-line grammar: switches, the rebuilt file name, quotes, and the dump/help options.
#include <gtest/gtest.h>

#include "app/CommandLine.h"

namespace varnel::app {
namespace {

struct Case {
    std::vector<std::string> params;
    ProgramAction action;
    bool editSwitchGiven;
    std::string fileName;
};

TEST(CommandLineTest, SwitchesAndFileNames) {
    const Case cases[] = {
        {{}, ProgramAction::Window, true, ""},
        {{"/home/u/pelk/in/0001.txt"}, ProgramAction::Window, true, "/home/u/pelk/in/0001.txt"},
        // The switch is an exact parameter, in either letter case and with "-" too.
        {{"/e", "/home/u/in/0001.txt"}, ProgramAction::Window, false, "/home/u/in/0001.txt"},
        {{"/E", "a.txt"}, ProgramAction::Window, false, "a.txt"},
        {{"-e", "a.txt"}, ProgramAction::Window, false, "a.txt"},
        {{"/v", "a.txt"}, ProgramAction::Window, true, "a.txt"},
        {{"-v", "a.txt"}, ProgramAction::Window, true, "a.txt"},
        {{"/w", "a.txt"}, ProgramAction::Window, true, "a.txt"},
        {{"-W", "a.txt"}, ProgramAction::Window, true, "a.txt"},
        // Paths that contain the switch letters are file names, never switches.
        {{"/etc/x"}, ProgramAction::Window, true, "/etc/x"},
        {{"/var/w"}, ProgramAction::Window, true, "/var/w"},
        {{"/work/x"}, ProgramAction::Window, true, "/work/x"},
        {{"/e", "/var/w/0001.txt"}, ProgramAction::Window, false, "/var/w/0001.txt"},
        {{"/ev", "a.txt"}, ProgramAction::Window, true, "/ev a.txt"},
        // Real case is kept.
        {{"/home/U/Pelk/In/0001.TXT"}, ProgramAction::Window, true, "/home/U/Pelk/In/0001.TXT"},
        // A path with blanks given unquoted is rebuilt with single blanks.
        {{"/home/u/My", "Mail/in/0001.txt"},
         ProgramAction::Window,
         true,
         "/home/u/My Mail/in/0001.txt"},
        {{"/v", "/home/u/a", "b", "c.txt"}, ProgramAction::Window, true, "/home/u/a b c.txt"},
        // One pair of surrounding quotes is removed; a lone quote is part of the name.
        {{"/e", "\"/home/u/My Mail/0001.txt\""},
         ProgramAction::Window,
         false,
         "/home/u/My Mail/0001.txt"},
        {{"\"/home/u/a\"b.txt"}, ProgramAction::Window, true, "\"/home/u/a\"b.txt"},
        {{"\"/home/u/a.txt"}, ProgramAction::Window, true, "\"/home/u/a.txt"},
        {{"\""}, ProgramAction::Window, true, "\""},
        {{"\"\""}, ProgramAction::Window, true, ""},
        // A switch alone names no file.
        {{"/e"}, ProgramAction::Window, false, ""},
        // "--" ends the options.
        {{"--", "-odd name.txt"}, ProgramAction::Window, true, "-odd name.txt"},
        {{"--dump", "/x/in/0001.txt"}, ProgramAction::Dump, true, "/x/in/0001.txt"},
        {{"--dump", "/x/My", "Mail/0001.txt"}, ProgramAction::Dump, true, "/x/My Mail/0001.txt"},
        {{"--help"}, ProgramAction::Help, true, ""},
        {{"-h"}, ProgramAction::Help, true, ""},
        {{"--version"}, ProgramAction::Version, true, ""},
    };
    for (const auto& c : cases) {
        const CommandLine cl = ParseCommandLine(c.params);
        std::string where;
        for (const auto& p : c.params)
            where += "[" + p + "]";
        EXPECT_EQ(cl.action, c.action) << where;
        EXPECT_EQ(cl.EditSwitchGiven, c.editSwitchGiven) << where;
        EXPECT_EQ(cl.editIcon, !c.editSwitchGiven) << where;
        EXPECT_EQ(cl.fileName, c.fileName) << where;
    }
}

TEST(CommandLineTest, BadOptionsAreErrors) {
    for (const std::vector<std::string>& params : std::vector<std::vector<std::string>>{
             {"--dump"}, {"--dump", "\"\""}, {"--frobnicate"}, {"-q", "a.txt"}}) {
        const CommandLine cl = ParseCommandLine(params);
        EXPECT_EQ(cl.action, ProgramAction::Error) << params[0];
        EXPECT_FALSE(cl.error.empty());
    }
}

// The toolkit's options are taken out before the rest is checked, so a bad option is
// reported without a display; anything else stays for the program.
TEST(CommandLineTest, ToolkitOptionsAreSetAside) {
    using P = std::vector<std::string>;
    const struct {
        P params, rest;
    } cases[] = {
        {{"-platform", "offscreen", "/x/0001.txt"}, {"/x/0001.txt"}},
        {{"/e", "-style=fusion", "-reverse", "a.txt"}, {"/e", "a.txt"}},
        {{"--platform", "xcb", "-q"}, {"-q"}},
        {{"-q"}, {"-q"}},
        {{"-platform"}, {"-platform"}},  // no value: not the toolkit's
        {{"--", "-style", "x"}, {"--", "-style", "x"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WithoutToolkitOptions(c.params), c.rest) << c.params[0];
    EXPECT_EQ(ParseCommandLine(WithoutToolkitOptions({"-q"})).action, ProgramAction::Error);
}

}  // namespace
}  // namespace varnel::app
