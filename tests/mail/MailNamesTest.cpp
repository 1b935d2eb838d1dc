#include <gtest/gtest.h>

#include "mail/MailNames.h"

using namespace varnel::mail;

TEST(MailNames, ClassifiesWithoutChangingCase) {
    struct Case {
        const char* path;
        bool mail;
        const char* number;
        const char* folderFile;
    } cases[] = {
        {"/home/u/Pelk/In/0042.txt", true, "0042", "/home/u/Pelk/In.fld"},
        {"/home/u/Pelk/in/0042.TXT", true, "0042", "/home/u/Pelk/in.fld"},
        {"/home/u/Pelk/Trash/0001.txt", true, "0001", "/home/u/Pelk/Trash.can"},
        {"/home/u/Pelk/in/42.txt", false, "", "/home/u/Pelk/in.fld"},
        {"/home/u/Pelk/in/abcd.txt", false, "", "/home/u/Pelk/in.fld"},
        {"/home/u/Pelk/in/00042.tx", false, "", "/home/u/Pelk/in.fld"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsMailFile(c.path), c.mail) << c.path;
        EXPECT_EQ(MailNumberOf(c.path), c.number) << c.path;
        EXPECT_EQ(FolderFileOf(c.path), c.folderFile) << c.path;
    }
}

TEST(MailNames, ComposeFilesAndFolders) {
    const std::pair<const char*, bool> compose[] = {
        {"/tmp/_pel1234.tmp", true},
        {"/tmp/_PEL1.TMP", true},
        {"/home/u/Pelk/Out/0003.txt", true},
        {"/home/u/pelk/OUT/0003.txt", true},
        {"/home/u/Pelk/in/0003.txt", false},
        {"/home/u/pelk/outbox/0001.txt", false},
        {"/home/u/out.txt", false},
        {"/work/out-of-band/0003.txt", false},
        {"/tmp/x_pel.tmp", false},
        {"/tmp/_pel0001.txt", false},
        {"", false},
    };
    for (const auto& [path, isCompose] : compose)
        EXPECT_EQ(IsComposeFile(path), isCompose) << path;
    EXPECT_TRUE(IsTrashFolder("/p/trash.can"));
    EXPECT_TRUE(IsTrashFolder("/p/MyTrash"));
    EXPECT_FALSE(IsTrashFolder("/p/in"));
    EXPECT_EQ(DirectoryOf("/a/b/c.txt"), "/a/b");
    EXPECT_EQ(DirectoryOf("/c.txt"), "/");
    EXPECT_EQ(FileNameOf("/a/b/c.txt"), "c.txt");
}
