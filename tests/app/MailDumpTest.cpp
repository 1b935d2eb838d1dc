// --dump prints the shown lines as UTF-8 with LF and leaves the mail untouched.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/MailDump.h"

namespace varnel::app {
namespace {

namespace fs = std::filesystem;

TEST(MailDumpTest, PrintsUtf8LinesAndWritesNothing) {
    const fs::path dir = fs::temp_directory_path() / ("varnel-dump-" + std::to_string(::getpid()));
    fs::create_directories(dir / "In");
    const fs::path mail = dir / "In" / "0001.txt";
    const std::string bytes =
        "X-Status: RECV\r\nSubject: \x83\x65\x83\x58\x83\x67\r\n\r\n\x96\x7b\x95\xb6\r\nlast";
    std::ofstream(mail, std::ios::binary) << bytes;
    const auto before = fs::last_write_time(mail);

    std::ostringstream out, err;
    EXPECT_EQ(DumpMailFile(mail.string(), Settings{}, out, err), 0);
    EXPECT_EQ(out.str(), "X-Status: RECV\nSubject: テスト\n\n本文\nlast\n");
    EXPECT_TRUE(err.str().empty());

    std::ifstream in(mail, std::ios::binary);
    std::ostringstream after;
    after << in.rdbuf();
    EXPECT_EQ(after.str(), bytes);  // status still RECV: nothing marked read
    EXPECT_EQ(fs::last_write_time(mail), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "In"), fs::directory_iterator()), 1);

    std::ostringstream out2, err2;
    EXPECT_EQ(DumpMailFile((dir / "In" / "0002.txt").string(), Settings{}, out2, err2), 1);
    EXPECT_TRUE(out2.str().empty());
    EXPECT_NE(err2.str().find("0002.txt"), std::string::npos);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace varnel::app
