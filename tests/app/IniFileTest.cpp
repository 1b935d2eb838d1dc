// IniFile: case-insensitive lookup, value forms, byte-exact single-line writes.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "TempDir.h"
#include "app/IniFile.h"

namespace varnel::app {
namespace {

using testing::ReadAll;
using testing::TempDir;

TEST(IniFileTest, ReadsStringsCaseInsensitivelyAndTrimmed) {
    const IniFile ini = IniFile::FromBytes(
        "; comment=1\r\n"
        "top=before any section\r\n"
        "[View]\r\n"
        "  FontName \t=  \x82\x6c\x82\x72 \x83\x53  \r\n"
        "Quote=> .\r\n"
        "Path=C:\\x\\\x83\x5c.txt\r\n"  // ソ ends in 0x5C
        "Eq=a=b\r\n"
        "Dup=first\r\n"
        "#Hidden=1\r\n"
        "Empty=\r\n"
        "[ a\x81\x5d b ]\r\n"  // a trail byte 0x5D is no closing bracket
        "k=in odd section\r\n"
        "[view]\r\n"
        "Dup=second\r\n"
        "Late=1\n");
    struct Case {
        const char* section;
        const char* key;
        std::string want;
    } cases[] = {
        {"VIEW", "fontname", "\x82\x6c\x82\x72 \x83\x53"},
        {"View", "Quote", "> ."},
        {"view", "PATH", "C:\\x\\\x83\x5c.txt"},
        {"View", "Eq", "a=b"},
        {"View", "Dup", "first"},
        {"View", "Late", "1"},
        {"View", "#Hidden", "default"},
        {"View", "Empty", ""},
        {"View", "Missing", "default"},
        {"Nowhere", "Quote", "default"},
        {"A\x81\x5d B", "k", "in odd section"},
        {"", "top", "before any section"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ini.ReadString(c.section, c.key, "default"), c.want) << c.section << "/" << c.key;
    EXPECT_TRUE(ini.HasKey("view", "empty"));
    EXPECT_FALSE(ini.HasKey("view", "hidden"));

    // Any line end ends a line, and a byte-order mark does not hide the first section.
    for (const char* bytes :
         {"[A]\rk=1\rj=2\r", "[A]\nk=1\r\nj=2\r", "\xEF\xBB\xBF[A]\nk=1\nj=2"}) {
        const IniFile mixed = IniFile::FromBytes(bytes);
        EXPECT_EQ(mixed.ReadString("A", "k", "-"), "1") << bytes;
        EXPECT_EQ(mixed.ReadString("A", "j", "-"), "2") << bytes;
    }
}

TEST(IniFileTest, IntegersAndBooleans) {
    struct Case {
        const char* stored;
        int want;
    } cases[] = {
        {"12", 12},
        {" -5 ", -5},
        {"+7", 7},
        {"-16777211", -16777211},
        {"0x1F", 31},
        {"$FF000005", -16777211},
        {"0xFFFFFFFF", -1},
        {"abc", 99},
        {"12abc", 99},
        {"", 99},
        {"-", 99},
        {"0x", 99},
        {"99999999999", 99},
        {"2147483648", 99},
        {"-2147483648", INT32_MIN},
        {"0x123456789", 99},
        {"1.5", 99},
    };
    for (const Case& c : cases) {
        const IniFile ini = IniFile::FromBytes(std::string("[S]\nk=") + c.stored + "\n");
        EXPECT_EQ(ini.ReadInteger("S", "k", 99), c.want) << c.stored;
    }
    const IniFile ini = IniFile::FromBytes("[S]\nzero=0\ntwo=2\nword=yes\n");
    EXPECT_FALSE(ini.ReadBool("S", "zero", true));
    EXPECT_TRUE(ini.ReadBool("S", "two", false));
    EXPECT_TRUE(ini.ReadBool("S", "word", true));
    EXPECT_FALSE(ini.ReadBool("S", "word", false));
    EXPECT_TRUE(ini.ReadBool("S", "missing", true));
}

TEST(IniFileTest, ApplyWriteChangesOnlyItsOwnLine) {
    struct Case {
        const char* name;
        std::string before;
        const char* section;
        const char* key;
        const char* value;
        std::string after;
    } cases[] = {
        {"replace, CR LF kept", "[A]\r\nk=1\r\nj = 2 ; x\r\n", "a", "J", "3",
         "[A]\r\nk=1\r\nj = 3\r\n"},
        {"key spelling and blanks kept", "[View]\nQUOTE=  x  \nnext=1\n", "view", "Quote", "> .",
         "[View]\nQUOTE=  > .\nnext=1\n"},
        {"odd spacing and comments kept", "; c\n  [ A ]  \n\tk\t=\tv\t\n# tail\n", "A", "k", "w",
         "; c\n  [ A ]  \n\tk\t=\tw\n# tail\n"},
        {"added after the section's last line", "[A]\nk=1\n\n[B]\nx=1\n", "A", "n", "5",
         "[A]\nk=1\nn=5\n\n[B]\nx=1\n"},
        {"added to a last line without line end", "[A]\nk=1", "A", "m", "2", "[A]\nk=1\nm=2"},
        {"new section, CR LF, no final line end", "[A]\r\nk=1", "B", "z", "9",
         "[A]\r\nk=1\r\n[B]\r\nz=9\r\n"},
        {"new file", "", "S", "k", "v", "[S]\nk=v\n"},
        {"first of two keys", "[A]\nk=1\nk=2\n", "A", "k", "3", "[A]\nk=3\nk=2\n"},
        {"commented key is no key", "[A]\n;k=1\n", "A", "k", "2", "[A]\n;k=1\nk=2\n"},
        {"section repeated later", "[A]\nx=1\n[B]\n[a]\nk=1\n", "A", "k", "2",
         "[A]\nx=1\n[B]\n[a]\nk=2\n"},
        {"CP932 bytes untouched", "[A]\r\nf=\x82\x6c\x82\x72\r\nk=\x83\x5c\r\n", "A", "k",
         "\x83\x5c\x95\x5c", "[A]\r\nf=\x82\x6c\x82\x72\r\nk=\x83\x5c\x95\x5c\r\n"},
        {"same value: line untouched", "[A]\r\nk =  1 \t\r\n", "A", "K", "1",
         "[A]\r\nk =  1 \t\r\n"},
        {"empty value", "[A]\nk=1\n", "A", "k", "", "[A]\nk=\n"},
        {"no section: before the first one", "[A]\nk=1\n", "", "g", "1", "g=1\n[A]\nk=1\n"},
        {"lone CR line ends", "[A]\rk=1\rj=2", "A", "k", "3", "[A]\rk=3\rj=2"},
        {"added after a last line ending in a lone CR", "[A]\r\nk=1\r", "A", "n", "2",
         "[A]\r\nk=1\rn=2\r\n"},
        {"new section after a lone CR", "[A]\rk=1\r", "B", "n", "2", "[A]\rk=1\r[B]\rn=2\r"},
        {"a lone CR never swallows a blank line", "x=0\r[A]\na=1\n\n[B]\n", "A", "k", "v",
         "x=0\r[A]\na=1\nk=v\r\n\n[B]\n"},
        {"byte-order mark kept", "\xEF\xBB\xBF[A]\nk=1\n", "A", "k", "2", "\xEF\xBB\xBF[A]\nk=2\n"},
        {"byte-order mark stays first", "\xEF\xBB\xBF[A]\n", "", "g", "1",
         "\xEF\xBB\xBFg=1\n[A]\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IniFile::ApplyWrite(c.before, c.section, c.key, c.value), c.after) << c.name;
}

TEST(IniFileTest, WriteCreatesMissingFileAndDirectories) {
    TempDir dir;
    const std::string path = dir / "conf/varnel32/varnel32.ini";
    IniFile ini(path);
    EXPECT_EQ(ini.ReadInteger("Window", "Left", 7), 7);
    ASSERT_TRUE(ini.WriteInteger("Window", "Left", 10)) << ini.LastError();
    ASSERT_TRUE(ini.WriteBool("Window", "Max", true)) << ini.LastError();
    EXPECT_EQ(ReadAll(path), "[Window]\nLeft=10\nMax=1\n");
    EXPECT_EQ(ini.ReadInteger("Window", "Left", 7), 10);
    EXPECT_EQ(IniFile(path).ReadInteger("window", "left", 7), 10);
    // Nothing left behind but the file itself.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "conf/varnel32"),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(IniFileTest, WriteKeepsChangesMadeOnDiskSinceLoading) {
    TempDir dir;
    const std::string path = dir.Write("v.ini", "[View]\r\nA=1\r\n");
    IniFile ini(path);
    dir.Write("v.ini", "[View]\r\nA=1\r\nB=edited by hand\r\n");
    ASSERT_TRUE(ini.WriteString("View", "A", "2"));
    EXPECT_EQ(ReadAll(path), "[View]\r\nA=2\r\nB=edited by hand\r\n");
    EXPECT_EQ(ini.ReadString("View", "B", ""), "edited by hand");
}

TEST(IniFileTest, WriteKeepsPermissionsAndFollowsSymlinks) {
    TempDir dir;
    const std::string real = dir.Write("real.ini", "[A]\nk=1\n");
    ::chmod(real.c_str(), 0600);
    const std::string link = dir / "link.ini";
    std::filesystem::create_symlink(real, link);
    IniFile ini(link);
    ASSERT_TRUE(ini.WriteString("A", "k", "2")) << ini.LastError();
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadAll(real), "[A]\nk=2\n");
    struct stat st {};
    ASSERT_EQ(::stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(IniFileTest, RefusedWritesLeaveFileAndContentsIntact) {
    TempDir dir;
    const std::string original = "[A]\r\nk=1\r\n";
    const std::string path = dir.Write("v.ini", original);
    IniFile ini(path);
    struct Case {
        const char* section;
        const char* key;
        std::string value;
    } refused[] = {
        {"A", "k", "two\r\nlines"},
        {"A", "k", std::string("nul\0", 4)},
        {"A", "", "v"},
        {"A", "a=b", "v"},
        {"A", " k", "v"},
        {"A]", "k", "v"},
        {"", "k", "v"},
        {"A", "[k", "v"},
        {"A\xef", "k", "v"},  // EF and "]" would read as one double-byte character
        {" A", "k", "v"},
        {"A", "k", " padded"},  // would read back without its blank
        {"A", "k", "tab\t"},
    };
    for (const Case& c : refused) {
        EXPECT_FALSE(ini.WriteString(c.section, c.key, c.value)) << c.key;
        EXPECT_FALSE(ini.LastError().empty());
    }
    EXPECT_EQ(ReadAll(path), original);
    EXPECT_EQ(ini.ReadString("A", "k", ""), "1");
}

TEST(IniFileTest, FailingWriterIsReportedAndOriginalStays) {
    TempDir dir;
    const std::string original = "[A]\nk=1\n";
    const std::string path = dir.Write("v.ini", original);
    IniFile ini(path, [](const std::string&, std::string_view, std::string& error) {
        error = "disk full";
        return false;
    });
    EXPECT_TRUE(ini.WriteInteger("A", "k", 1));  // unchanged: nothing to write
    EXPECT_FALSE(ini.WriteInteger("A", "k", 2));
    EXPECT_EQ(ini.LastError(), "disk full");
    EXPECT_EQ(ini.ReadInteger("A", "k", 0), 1);
    EXPECT_EQ(ReadAll(path), original);
}

TEST(IniFileTest, RealWriteFailuresAreReported) {
    TempDir dir;
    const std::string blocker = dir.Write("file", "x");
    IniFile underFile(blocker + "/v.ini");
    EXPECT_FALSE(underFile.WriteString("A", "k", "1"));
    EXPECT_FALSE(underFile.LastError().empty());
    EXPECT_EQ(ReadAll(blocker), "x");

    // A write-protected settings file is left as it is.
    const std::string original = "[A]\nk=1\n";
    const std::string path = dir.Write("protected.ini", original);
    ::chmod(path.c_str(), 0444);
    IniFile locked(path);
    EXPECT_FALSE(locked.WriteString("A", "k", "2"));
    EXPECT_NE(locked.LastError().find("write-protected"), std::string::npos);
    EXPECT_EQ(ReadAll(path), original);
    EXPECT_EQ(locked.ReadString("A", "k", ""), "1");

    IniFile noPath;
    EXPECT_FALSE(noPath.WriteString("A", "k", "1"));
}

}  // namespace
}  // namespace varnel::app
