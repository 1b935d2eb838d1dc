// The mailer's folder list, side files and folder rules.
#include <gtest/gtest.h>

#include <map>

#include "store/FolderDefinitions.h"

using namespace varnel::store;

namespace {

FolderDefinitions::Lookup LookupFrom(std::map<std::string, std::string> values) {
    return [values = std::move(values)](std::string_view section, std::string_view key) {
        const auto it = values.find(std::string(section) + "/" + std::string(key));
        return it == values.end() ? std::string() : it->second;
    };
}

}  // namespace

TEST(FolderDefinitions, ResolvesSettingsValuesAgainstTheMailerDirectory) {
    struct Case {
        const char* dir;
        std::string value;
        std::string want;
    } cases[] = {
        {"/home/u/pelk", "folder.def", "/home/u/pelk/folder.def"},
        {"/home/u/pelk/", "folder.def", "/home/u/pelk/folder.def"},
        {"/home/u/pelk", "defs\\folder.def", "/home/u/pelk/defs/folder.def"},
        {"/home/u/pelk", "  /etc/pelk/folder.def ", "/etc/pelk/folder.def"},
        {"/home/u/pelk", "C:\\Pelk\\trash.can", "/home/u/pelk/C:/Pelk/trash.can"},
        {"/home/u/pelk", "", ""},
        {"", "in.fld", "in.fld"},
        // 表 is 0x95 0x5C: its trail byte is no separator.
        {"/p", "\x95\x5c\\x.def", "/p/\x95\x5c/x.def"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FolderDefinitions::ResolvePath(c.dir, c.value), c.want) << c.value;
}

TEST(FolderDefinitions, ReadsTheFolderListUpToTheFirstEmptyName) {
    const auto defs = FolderDefinitions::FromMailerSettings(
        "/home/u/pelk/pelkmail", LookupFrom({{"Global Parameters/FolderDefFile", "folder.def"},
                                             {"Global Parameters/AliasFile", "address.ali"},
                                             {"Folder/Name0", "in.fld"},
                                             {"Folder/Name1", "Out.FLD"},
                                             {"Folder/Name2", "trash.can"},
                                             {"Folder/Name3", "lists\\ml"},
                                             {"Folder/Name5", "after-the-gap.fld"}}));
    EXPECT_EQ(defs.MailerDirectory(), "/home/u/pelk");
    EXPECT_EQ(defs.DefinitionFile(), "/home/u/pelk/folder.def");
    EXPECT_EQ(defs.AliasFile(), "/home/u/pelk/address.ali");
    ASSERT_EQ(defs.Folders().size(), 4u);
    struct Want {
        const char* index;
        const char* dir;
        bool trash;
    } want[] = {{"/home/u/pelk/in.fld", "/home/u/pelk/in", false},
                {"/home/u/pelk/Out.FLD", "/home/u/pelk/Out", false},
                {"/home/u/pelk/trash.can", "/home/u/pelk/trash", true},
                {"/home/u/pelk/lists/ml.fld", "/home/u/pelk/lists/ml", false}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(defs.Folders()[i].indexFile, want[i].index);
        EXPECT_EQ(defs.Folders()[i].directory, want[i].dir);
        EXPECT_EQ(defs.Folders()[i].trash, want[i].trash);
    }
    ASSERT_NE(defs.FindByIndexName("out.fld"), nullptr);
    EXPECT_EQ(defs.FindByIndexName("out.fld")->name, "Out.FLD");
    EXPECT_EQ(defs.FindByIndexName("sent.fld"), nullptr);
    ASSERT_NE(defs.Trash(), nullptr);
    EXPECT_EQ(defs.Trash()->indexFile, "/home/u/pelk/trash.can");

    const auto none = FolderDefinitions::FromMailerSettings("/x/pelkmail", LookupFrom({}));
    EXPECT_EQ(none.DefinitionFile(), "");
    EXPECT_TRUE(none.Folders().empty());
    EXPECT_EQ(none.Trash(), nullptr);
}

TEST(FolderDefinitions, ParsesRuleLines) {
    struct Case {
        std::string line;
        bool rule;
        const char* pattern;
        const char* folder;
    } cases[] = {
        {"/^FROM:.*a@example.jp/ ml.fld", true, "^FROM:.*a@example.jp", "ml.fld"},
        {"/^FROM:.*a@example.jp/ ml.fld\r", true, "^FROM:.*a@example.jp", "ml.fld"},
        {"/^SUBJECT:.*a/b/  trash.can ", true, "^SUBJECT:.*a/b", "trash.can"},
        {"/^FROM:.*x/", false, "", ""},
        {"/^FROM:.*x/ ", false, "", ""},
        {"; comment", false, "", ""},
        {"", false, "", ""},
        {"in.fld 100", false, "", ""},
    };
    for (const auto& c : cases) {
        const auto rule = FolderDefinitions::ParseRule(c.line);
        ASSERT_EQ(rule.has_value(), c.rule) << c.line;
        if (rule) {
            EXPECT_EQ(rule->pattern, c.pattern);
            EXPECT_EQ(rule->folder, c.folder);
        }
    }
    EXPECT_FALSE(FolderDefinitions::ReadRules("/nonexistent/folder.def").has_value());
}
