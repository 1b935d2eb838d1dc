// Line store: loading every line-end convention, saving, the empty-document invariant,
// index errors and the list operations.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "TempDir.h"
#include "editor/LineString.h"
#include "editor/SonStrings.h"
#include "editor/StoreChecks.h"

namespace varnel::editor {
namespace {

using namespace std::string_literals;
namespace fs = std::filesystem;

// Every line but the last ends with CR LF or has no terminator; the last ends with NUL;
// no CR LF stands inside a line.
void ExpectInvariant(const TSonStrings& s) {
    EXPECT_EQ(StoreFault(s, true), "");
}

struct LoadCase {
    const char* name;
    std::string file;
    std::vector<std::string> lines;
    std::string saved;  // what saving writes back
};

TEST(SonStrings, LoadsEveryConventionAndSavesCrLf) {
    const std::string big(20000, 'x');  // longer than any read block
    const std::vector<LoadCase> cases = {
        {"empty", "", {"\0"s}, ""},
        {"crlf", "a\r\nb", {"a\r\n", "b\0"s}, "a\r\nb"},
        {"crlf final end", "a\r\nb\r\n", {"a\r\n", "b\r\n", "\0"s}, "a\r\nb\r\n"},
        {"no line end", "abc", {"abc\0"s}, "abc"},
        {"lf", "a\nb\n", {"a\r\n", "b\r\n", "\0"s}, "a\r\nb\r\n"},
        {"lf no final", "abc\nd", {"abc\r\n", "d\0"s}, "abc\r\nd"},
        {"cr", "a\rb\r", {"a\r\n", "b\r\n", "\0"s}, "a\r\nb\r\n"},
        {"lone cr in crlf file stays data", "a\r\nb\rc", {"a\r\n", "b\rc\0"s}, "a\r\nb\rc"},
        {"lone lf in crlf file stays data", "a\r\nb\nc", {"a\r\n", "b\nc\0"s}, "a\r\nb\nc"},
        {"crlf inside lf file is one end", "a\nb\r\nc", {"a\r\n", "b\r\n", "c\0"s}, "a\r\nb\r\nc"},
        {"crlf inside cr file is one end", "a\rb\r\nc", {"a\r\n", "b\r\n", "c\0"s}, "a\r\nb\r\nc"},
        {"lone lf in cr file stays data", "a\rb\nc", {"a\r\n", "b\nc\0"s}, "a\r\nb\nc"},
        {"nul inside lines kept",
         "a\0b\r\n\0\r\nc\0"s,
         {"a\0b\r\n"s, "\0\r\n"s, "c\0\0"s},
         "a\0b\r\n\0\r\nc\0"s},
        {"lone lead byte before crlf",
         "\x82\r\n\x82\xA0\r\n",
         {"\x82\r\n", "\x82\xA0\r\n", "\0"s},
         "\x82\r\n\x82\xA0\r\n"},
        {"long crlf line", big + "\r\n" + big, {big + "\r\n", big + "\0"s}, big + "\r\n" + big},
        {"long lf line", big + "\n" + big, {big + "\r\n", big + "\0"s}, big + "\r\n" + big},
        {"long first line, crlf later", big + "\r\nz", {big + "\r\n", "z\0"s}, big + "\r\nz"},
        {"long cr line", big + "\r" + big, {big + "\r\n", big + "\0"s}, big + "\r\n" + big},
    };
    testing::TempDir dir;
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string in = dir.Write("in.txt", c.file), out = dir / "out.txt";
        TSonStrings s;
        std::string error;
        ASSERT_TRUE(s.LoadFromFile(in, error)) << error;
        EXPECT_EQ(LinesOf(s), c.lines);
        ExpectInvariant(s);
        ASSERT_TRUE(s.SaveToFile(out, error)) << error;
        EXPECT_EQ(testing::ReadAll(out), c.saved);
        // A saved file loads back to the same lines.
        TSonStrings again;
        ASSERT_TRUE(again.LoadFromFile(out, error));
        EXPECT_EQ(LinesOf(again), c.lines);
    }
}

TEST(SonStrings, SetTextStrKeepsTheEndOfTextLine) {
    struct Case {
        std::string text;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {"", {"\0"s}},
        {"\0"s, {"\0"s}},
        {"x", {"x\0"s}},
        {"x\r\n", {"x\r\n", "\0"s}},
        {"a\rb\nc\r\nd\0"s, {"a\rb\nc\r\n", "d\0"s}},
        {"a\0b"s, {"a\0b\0"s}},
    };
    for (const Case& c : cases) {
        TSonStrings s;
        s.SetTextStr("junk\r\nbefore");
        s.SetTextStr(c.text);
        EXPECT_EQ(LinesOf(s), c.lines);
        ExpectInvariant(s);
        // GetTextStr and SetTextStr round-trip.
        TSonStrings t;
        t.SetTextStr(s.GetTextStr());
        EXPECT_EQ(LinesOf(t), c.lines);
    }
}

TEST(SonStrings, StreamsRoundTripAndEmptyStreamGivesEmptyDocument) {
    TSonStrings s;
    s.SetTextStr("a\r\nb");
    std::stringstream buf;
    s.SaveToStream(buf);
    EXPECT_EQ(buf.str(), "a\r\nb\0"s);
    TSonStrings t;
    t.LoadFromStream(buf);
    EXPECT_EQ(LinesOf(t), LinesOf(s));
    std::stringstream empty;
    t.LoadFromStream(empty);
    EXPECT_EQ(LinesOf(t), std::vector<std::string>{"\0"s});
}

TEST(SonStrings, IndexErrorsCarryTheMessageAndChangeNothing) {
    TSonStrings s;
    s.SetTextStr("a\r\nb");
    const auto before = LinesOf(s);
    const std::vector<std::function<void()>> bad = {
        [&] { s.Get(2); },
        [&] { s.Get(-1); },
        [&] { s.Put(2, "x"); },
        [&] { s.Delete(5); },
        [&] { s.Insert(3, "x"); },
        [&] { s.SetCount(-1); },
        [&] { s.SetCount(0x8000000); },
        [&] { s.SetCapacity(1); },
        [&] { s.SetCapacity(0x8000000); },
        [&] { s.Splice(1, 2, {}); },
    };
    for (const auto& f : bad) {
        try {
            f();
            ADD_FAILURE() << "no error";
        } catch (const std::out_of_range& e) {
            EXPECT_STREQ(e.what(), "インデックスがリストの範囲を超えています");
        }
        EXPECT_EQ(LinesOf(s), before);
    }
}

TEST(SonStrings, ListOperations) {
    TSonStrings s;
    s.Clear();
    EXPECT_EQ(s.Count(), 0);
    s.SetTextStr("0\r\n1\r\n2\r\n3");
    int index = 2;
    s.InsertText(index, "p\r\nq");
    EXPECT_EQ(index, 3);
    index = 0;
    s.InsertText(index, "r\r\n");  // no empty last piece
    EXPECT_EQ(index, 0);
    index = 1;
    s.InsertText(index, "");
    EXPECT_EQ(index, 1);
    using V = std::vector<std::string>;
    EXPECT_EQ(LinesOf(s), (V{"r\r\n", "0\r\n", "1\r\n", "p\r\n", "q", "2\r\n", "3\0"s}));
    EXPECT_EQ(s.IndexOf("2\r\n"), 5);
    EXPECT_EQ(s.IndexOf("2"), -1);
    s.Splice(1, 3, {"A", "B"});
    EXPECT_EQ(LinesOf(s), (V{"r\r\n", "A", "B", "q", "2\r\n", "3\0"s}));

    s.SetCount(2);
    EXPECT_EQ(s.Add("z"), 2);
}

TEST(SonStrings, CommaText) {
    TSonStrings s;
    s.Assign(std::vector<std::string>{"a b", "c", "d,e", "f\"g"});
    EXPECT_EQ(s.GetCommaText(), "\"a b\",c,\"d,e\",f\"g");
    s.SetCommaText("\"a b\",c,\"d,e\"");
    EXPECT_EQ(LinesOf(s), (std::vector<std::string>{"a b", "c", "d,e"}));
    s.SetCommaText("");
    EXPECT_EQ(s.Count(), 0);
    EXPECT_EQ(s.GetCommaText(), "");
}

TEST(SonStrings, ReportsChangesToItsObserver) {
    TSonStrings s;
    std::vector<std::array<int, 3>> seen;
    s.OnLinesChanged = [&](int f, int r, int i) { seen.push_back({f, r, i}); };
    s.SetTextStr("a\r\nb");
    s.Put(1, "c\0"s);
    s.Insert(0, "z\r\n");
    s.Delete(0);
    s.Splice(0, 1, {"x", "y\r\n"});
    EXPECT_EQ(s.SoftCount(), 1);  // "x"
    s.Put(0, "x\r\n");
    EXPECT_EQ(s.SoftCount(), 0);
    seen.pop_back();
    const std::vector<std::array<int, 3>> want = {
        {0, 1, 2}, {1, 1, 1}, {0, 0, 1}, {0, 1, 0}, {0, 1, 2}};
    EXPECT_EQ(seen, want);
}

}  // namespace
}  // namespace varnel::editor
