// Scratch string list: sorting, searching, tags and texts.
#include <gtest/gtest.h>

#include "editor/FastStringList.h"

namespace varnel::editor {
namespace {

TEST(FastStringList, SortedListsKeepOrderAndFindCaseInsensitively) {
    TFastStringList l;
    l.SetSorted(true);
    for (const char* s : {"pear", "Apple", "banana", "apple"})
        l.Add(s);
    ASSERT_EQ(l.Count(), 4);
    EXPECT_EQ(l[2], "banana");
    EXPECT_EQ(l[3], "pear");
    int at = -1;
    EXPECT_TRUE(l.Find("BANANA", at));
    EXPECT_EQ(at, 2);
    EXPECT_FALSE(l.Find("cherry", at));
    EXPECT_EQ(at, 3);
    EXPECT_THROW(l.Insert(0, "x"), std::logic_error);

    l.Duplicates = TFastStringList::DuplicatesMode::Ignore;
    EXPECT_EQ(l.Add("PEAR"), 3);
    EXPECT_EQ(l.Count(), 4);
    l.Duplicates = TFastStringList::DuplicatesMode::Error;
    EXPECT_THROW(l.Add("pear"), std::invalid_argument);

    // Trail bytes are never folded: 0x82 0x61 differs from 0x82 0x41.
    TFastStringList k;
    k.Add("\x82\x61");
    EXPECT_EQ(k.IndexOf("\x82\x41"), -1);
    EXPECT_EQ(k.IndexOf("\x82\x61"), 0);
}

TEST(FastStringList, TagsMovesAndIndexErrors) {
    TFastStringList l;
    l.AddObject("a", 10);
    l.AddObject("b", 20);
    l.AddObject("c", 30);
    l.Exchange(0, 2);
    l.Move(0, 1);
    EXPECT_EQ(l.Strings(), (std::vector<std::string>{"b", "c", "a"}));
    EXPECT_EQ(l.GetObject(1), 30);
    EXPECT_THROW(l.Get(3), ListIndexError);
    EXPECT_THROW(l.Delete(-1), ListIndexError);
    EXPECT_THROW(l.SetCapacity(2), ListIndexError);
    EXPECT_THROW(l.Insert(4, "x"), ListIndexError);
    // Adding a list to itself copies what it held before.
    l.AddStrings(l);
    EXPECT_EQ(l.Strings(), (std::vector<std::string>{"b", "c", "a", "b", "c", "a"}));
}

TEST(FastStringList, TextAndCommaTextRoundTrip) {
    TFastStringList l;
    l.SetText("one\r\ntwo\nthree\rfour");
    EXPECT_EQ(l.Strings(), (std::vector<std::string>{"one", "two", "three", "four"}));
    EXPECT_EQ(l.GetText(), "one\r\ntwo\r\nthree\r\nfour\r\n");

    l.Assign(std::vector<std::string>{"a b", "c", "say \"hi\"", "", "\x83\x5C"});
    const std::string comma = l.GetCommaText();
    EXPECT_EQ(comma, "\"a b\",c,\"say \"\"hi\"\"\",,\x83\x5C");
    TFastStringList m;
    m.SetCommaText(comma);
    EXPECT_EQ(m.Strings(), l.Strings());
}

}  // namespace
}  // namespace varnel::editor
