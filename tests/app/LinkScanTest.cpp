// The link scanner and the dangerous-file check.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "TempDir.h"
#include "app/DangerousFile.h"
#include "app/LinkScan.h"

namespace varnel::app {
namespace {

TEST(LinkScanTest, LinkAtColumn) {
    struct Case {
        std::string line;
        std::size_t column;
        std::optional<std::string> link;
    };
    const Case cases[] = {
        {"see http://a.jp/x.", 6, "http://a.jp/x"},                 // sentence's full stop dropped
        {"see http://a.jp/x.", 2, std::nullopt},                    // before the link
        {"http://a.jp/ and https://b.jp/y", 20, "https://b.jp/y"},  // the second link
        {"http://a.jp/ and https://b.jp/y", 13, std::nullopt},      // between the two
        {"<http://a.jp/p?q=1>", 3, "http://a.jp/p?q=1"},            // delimiters end it
        {"x MAILTO:a@b.jp\"", 5, "MAILTO:a@b.jp"},
        {"mail me: a@b.jp", 2, std::nullopt},  // "mail" alone is no link
        {"ftp://f.jp/a b", 4, "ftp://f.jp/a"},
        {"http://a.jp/\x82\xa0", 3, "http://a.jp/"},  // stops at a double-byte char
        {"end http", 6, "http"},                      // the line's end stops the scan
        {"\x83\x5chttp://a.jp/", 5, "http://a.jp/"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LinkAt(c.line, c.column), c.link) << c.line << " @" << c.column;
}

TEST(LinkScanTest, NextLinkNeverReadsPastTheLine) {
    const std::string buffer = "xx http://a.jp/abcdef";
    // A view that ends inside the URL: the link ends where the view does.
    const std::string_view cut(buffer.data(), 10);
    const auto link = NextLink(cut, 0);
    ASSERT_TRUE(link);
    EXPECT_EQ(link->start + link->length, 10u);
}

TEST(LinkScanTest, SelectionIsALinkOnlyWhenItStartsWithOne) {
    EXPECT_TRUE(IsLinkSelection("http://a.jp/"));
    EXPECT_TRUE(IsLinkSelection("mailto:a@b.jp"));
    EXPECT_FALSE(IsLinkSelection("go http://a.jp/"));
    EXPECT_FALSE(IsLinkSelection("http://a.jp/ http://b.jp/"));
    EXPECT_FALSE(IsLinkSelection("mail.example.jp"));
    EXPECT_FALSE(IsLinkSelection("a@b.jp"));
}

TEST(DangerousFileTest, ExtensionsAndTheExecutableBit) {
    const std::string list = ".exe.bat.com.scr.pif.js.jse.vbe.vbs.wsf.xlm";
    for (const char* name : {"a.EXE", "x/y.Js", "run.sh", "app.AppImage", "go.desktop"})
        EXPECT_TRUE(IsDangerousFile(name, list)) << name;
    for (const char* name : {"a.txt", "a.jsx", "a.shtml", "noext", "a.exe.pdf", "dir.sh/a.pdf"})
        EXPECT_FALSE(IsDangerousFile(name, list)) << name;
    testing::TempDir dir;
    const std::string plain = dir / "data.pdf";
    std::ofstream(plain) << "x";
    EXPECT_FALSE(IsDangerousFile(plain, list));
    ::chmod(plain.c_str(), 0700);
    EXPECT_TRUE(IsDangerousFile(plain, list));
}

}  // namespace
}  // namespace varnel::app
