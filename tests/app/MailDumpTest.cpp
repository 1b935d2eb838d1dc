// --dump prints the decoded lines as UTF-8 with LF and leaves the mail untouched.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "FormFakes.h"
#include "TempDir.h"
#include "app/MailDump.h"
#include "fakes/Fakes.h"

namespace varnel::app {
namespace {

namespace fs = std::filesystem;

class MailDumpTest : public ::testing::Test {
  protected:
    int Dump(const fs::path& p) {
        out.str("");
        err.str("");
        return DumpMailFile(p.string(), Settings{}, clock, out, err);
    }
    testing::TempDir tmp;
    fs::path dir{tmp.path()};
    fakes::ManualClock clock;
    std::ostringstream out, err;
};

TEST_F(MailDumpTest, ReceivedMailIsDecodedButNotMarkedRead) {
    const fs::path mail = dir / "In" / "0001.txt";
    // No Date field and status RECV: opening in the window would rewrite this file.
    const std::string bytes =
        "X-Status: RECV\r\nFrom: a@example.jp\r\nSubject: \x83\x65\x83\x58\x83\x67\r\n"
        "\r\n\x96\x7b\x95\xb6\r\n";
    testing::WriteBytes(mail, bytes);
    const auto before = fs::last_write_time(mail);

    EXPECT_EQ(Dump(mail), 0);
    EXPECT_TRUE(err.str().empty());
    EXPECT_NE(out.str().find("Subject: テスト\n"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("\n本文\n"), std::string::npos) << out.str();
    EXPECT_EQ(out.str().find('\r'), std::string::npos);

    EXPECT_EQ(testing::ReadAll(mail), bytes);
    EXPECT_EQ(fs::last_write_time(mail), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "In"), fs::directory_iterator()), 1);
}

TEST_F(MailDumpTest, DraftIsShownAsStored) {
    const fs::path draft = dir / "out" / "0002.txt";
    testing::WriteBytes(draft, "To: b@example.jp\r\n--------\r\n\r\nbody\r\n");
    EXPECT_EQ(Dump(draft), 0);
    EXPECT_EQ(out.str(), "To: b@example.jp\n--------\n\nbody\n");
}

TEST_F(MailDumpTest, MissingFileIsAnError) {
    EXPECT_EQ(Dump(dir / "In" / "0003.txt"), 1);
    EXPECT_TRUE(out.str().empty());
    EXPECT_NE(err.str().find("0003.txt"), std::string::npos);
}

}  // namespace
}  // namespace varnel::app
