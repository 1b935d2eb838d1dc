// --dump prints the decoded lines as UTF-8 with LF and leaves the mail untouched.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "FormFakes.h"
#include "TempDir.h"
#include "app/MailDump.h"
#include "app/ReadOnlyFile.h"
#include "fakes/Fakes.h"
#include "text/Cp932.h"

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

// Output is converted and escaped in blocks of about a megabyte; bad bytes at line
// ends, control bytes and block edges come out as when each line is converted alone.
TEST_F(MailDumpTest, BlockConversionMatchesLineByLine) {
    const fs::path draft = dir / "out" / "0004.txt";
    const std::vector<std::string> tricky{"\x81", "\x82\xa0ok",   "\xff\xfe",  "abc\x81",
                                          "",     "\x88\x9f\x88", "\x1b[31mr", "t\ta\rb\x7f"};
    std::string bytes = "To: b@example.jp\r\n--------\r\n\r\n";
    std::string want = "To: b@example.jp\n--------\n\n";
    for (int i = 0; i < 250000; ++i) {
        const std::string& line = tricky[static_cast<std::size_t>(i) % tricky.size()];
        bytes += line + "\r\n";
        std::string utf8;
        text::AppendCp932AsUtf8ByIconv(line, utf8);
        want += EscapeControlBytes(utf8) + "\n";
    }
    testing::WriteBytes(draft, bytes);
    EXPECT_EQ(Dump(draft), 0);
    EXPECT_EQ(out.str(), want);
}

TEST_F(MailDumpTest, MissingFileIsAnError) {
    EXPECT_EQ(Dump(dir / "In" / "0003.txt"), 1);
    EXPECT_TRUE(out.str().empty());
    EXPECT_NE(err.str().find("0003.txt"), std::string::npos);
}

// Real mail shapes against their expected --dump output: tests/data/dump/NAME.eml
// (CP932, CR LF) and NAME.dump (UTF-8, LF). VARNEL_UPDATE_GOLDEN=1 rewrites NAME.dump.
TEST_F(MailDumpTest, GoldenMails) {
    const fs::path data = fs::path(VARNEL_TEST_DATA) / "dump";
    std::vector<fs::path> mails;
    for (const auto& e : fs::directory_iterator(data))
        if (e.path().extension() == ".eml")
            mails.push_back(e.path());
    std::sort(mails.begin(), mails.end());
    ASSERT_GE(mails.size(), 9u);
    for (const auto& mail : mails) {
        ASSERT_EQ(Dump(mail), 0) << mail;
        fs::path expected = mail;
        expected.replace_extension(".dump");
        if (std::getenv("VARNEL_UPDATE_GOLDEN"))
            std::ofstream(expected, std::ios::binary) << out.str();
        else
            EXPECT_EQ(out.str(), testing::ReadAll(expected.string())) << mail.filename();
    }
}

// A large file is mapped: cut short beneath the mapping, it ends the process with a
// reason rather than a crash.
TEST_F(MailDumpTest, MappedFileCutShortEndsWithAReason) {
    const fs::path big = dir / "big.txt";
    testing::WriteBytes(big, std::string(std::size_t{3} << 20, 'x'));
    EXPECT_EXIT(
        {
            const ReadOnlyFile file(big.string());
            fs::resize_file(big, 0);
            std::_Exit(file.Ok() && file.Bytes().back() == 'x' ? 2 : 3);
        },
        ::testing::ExitedWithCode(1), "could not be read to its end");
}

TEST(MailDump, ControlBytesInCaretNotation) {
    EXPECT_EQ(EscapeControlBytes("\x1b]52;c;aGk=\x07 \t\x7f\r\x01\x1f\xe6\x9c\xac"),
              "^[]52;c;aGk=^G \t^?^M^A^_\xe6\x9c\xac");
    EXPECT_EQ(EscapeControlBytes(std::string("a\0b", 3)), "a^@b");
}

}  // namespace
}  // namespace varnel::app
