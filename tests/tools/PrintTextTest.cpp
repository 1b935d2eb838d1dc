// The printed lines: indent, title and underline, selected lines, and the last line.
#include <gtest/gtest.h>

#include "fakes/ToolFakes.h"
#include "tools/PrintText.h"
#include "tools/ToolsFixture.h"

namespace varnel::tools {
namespace {

using Lines = std::vector<std::string>;

editor::TSonStrings Store(std::string_view text) {
    editor::TSonStrings s;
    s.SetTextStr(text);
    return s;
}

TEST(PrintedLines, IndentTitleSelectionAndLastLine) {
    const struct {
        const char* name;
        std::string text;
        std::optional<PrintRange> range;
        int leftSpace;
        std::string header;
        Lines expected;
    } cases[] = {
        {"indent", "a\r\nb\r\n", {}, 2, "", {"  a", "  b"}},
        {"title and underline",
         "a\r\n",
         {},
         1,
         "Title",
         {" Title", " _________________________", " a"}},
        {"no indent", "a\r\n", {}, 0, "", {"a"}},
        {"negative indent", "a\r\n", {}, -3, "", {"a"}},
        // Text after the last line end is printed too.
        {"last line", "a\r\n\r\nlast", {}, 0, "", {"a", "", "last"}},
        {"trailing empty lines dropped", "a\r\n\r\n\r\n", {}, 0, "", {"a"}},
        {"selected lines", "0\r\n1\r\n2\r\n3\r\n", PrintRange{1, 2}, 1, "", {" 1", " 2"}},
        {"empty text", "", {}, 4, "", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PrintedLines(Store(c.text), c.range, c.leftSpace, c.header), c.expected);
    }
}

TEST(PrintCommand, SelectionEndingAtColumnZeroAndTheFonts) {
    EditFixture f("l0\r\nl1\r\nl2\r\nl3\r\nl4\r\nl5\r\nl6\r\n");
    fakes::RecordingPrinter printer;
    PrintOptions options{"Gothic", 11, 1, "", "Courier New", ""};
    f.e.Select({3, 1}, {6, 0});
    PrintCommand(f.e, "Gothic", options, printer, f.prompter);
    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_EQ(printer.jobs[0], (Lines{" l3", " l4", " l5"}));
    EXPECT_EQ(printer.jobFont.name, "Gothic");
    EXPECT_EQ(printer.jobFont.size, 11);

    f.e.Deselect();
    printer.result = platform::PrintResult::Failed;
    PrintCommand(f.e, "Courier New", options, printer, f.prompter);
    EXPECT_EQ(printer.jobFont.name, "Courier New");  // the mail shown in the European font
    EXPECT_EQ(printer.jobs[1].size(), 7u);
    EXPECT_EQ(f.prompter.asked, (Lines{"printer on fire"}));
    printer.result = platform::PrintResult::Cancelled;
    PrintCommand(f.e, "Gothic", options, printer, f.prompter);
    EXPECT_EQ(f.prompter.asked.size(), 1u);
}

// The job is named by the Subject of the text's header, else by the file.
TEST(PrintCommand, JobTitleIsTheSubject) {
    const struct {
        std::string text, title;
    } cases[] = {
        {"To: a\r\nSUBJECT:  Re: \x8c\x8f\x96\xbc \r\n--------\r\nbody", "Re: \x8c\x8f\x96\xbc"},
        {"To: a\r\n\r\nSubject: in the body\r\n", "0001.txt"},
        {"To: a\r\n--------\r\nSubject: in the body\r\n", "0001.txt"},
        {"Subject:\r\n", "0001.txt"},
    };
    for (const auto& c : cases) {
        EditFixture f(c.text);
        fakes::RecordingPrinter printer;
        PrintOptions options;
        options.fileName = "0001.txt";
        PrintCommand(f.e, "Gothic", options, printer, f.prompter);
        EXPECT_EQ(printer.jobTitle, c.title) << c.text;
    }
}

}  // namespace
}  // namespace varnel::tools
