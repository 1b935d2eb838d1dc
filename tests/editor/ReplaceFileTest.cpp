// Whole-file replacing writes: permissions kept, links followed, failures leave the
// original and no temporary file behind; whole-file reads refuse what is not a file.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "TempDir.h"
#include "editor/ReplaceFile.h"

namespace varnel::editor {
namespace {

namespace fs = std::filesystem;

class ReplaceFileTest : public ::testing::Test {
  protected:
    std::string Put(const std::string& name, const std::string& bytes) {
        return tmp_.Write(name, bytes);
    }
    std::string Read(const std::string& path) {
        std::string bytes, error;
        EXPECT_TRUE(ReplaceFileRead(path, bytes, error)) << error;
        return bytes;
    }
    std::size_t Entries() const {
        std::size_t n = 0;
        for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir_))
            ++n;
        return n;
    }
    testing::TempDir tmp_;
    const fs::path dir_ = tmp_.path();
};

TEST_F(ReplaceFileTest, ReplacesWholeKeepingPermissions) {
    const std::string original("X-Status: RECV\r\n\0body", 21);
    const std::string file = Put("0001.txt", original);
    EXPECT_EQ(Read(file), original);
    ::chmod(file.c_str(), 0640);
    std::string error;
    ASSERT_TRUE(ReplaceFileWrite(file, "X-Status: READ\r\n", error)) << error;
    EXPECT_EQ(Read(file), "X-Status: READ\r\n");
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(Entries(), 1u);
}

TEST_F(ReplaceFileTest, WritesThroughChainsOfLinks) {
    const std::string real = Put("real.ini", "old");
    ::chmod(real.c_str(), 0600);
    fs::create_symlink("real.ini", dir_ / "middle.ini");  // relative link
    fs::create_symlink(dir_ / "middle.ini", dir_ / "link.ini");
    std::string error;
    ASSERT_TRUE(ReplaceFileWrite((dir_ / "link.ini").string(), "new", error)) << error;
    EXPECT_TRUE(fs::is_symlink(dir_ / "link.ini"));
    EXPECT_TRUE(fs::is_symlink(dir_ / "middle.ini"));
    EXPECT_EQ(Read(real), "new");
    struct stat st {};
    ASSERT_EQ(::stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);

    // A link whose target does not exist yet: the target is created, the link stays.
    fs::create_symlink("later.ini", dir_ / "dangling.ini");
    ASSERT_TRUE(ReplaceFileWrite((dir_ / "dangling.ini").string(), "made", error)) << error;
    EXPECT_TRUE(fs::is_symlink(dir_ / "dangling.ini"));
    EXPECT_EQ(Read((dir_ / "later.ini").string()), "made");

    // A loop of links is refused.
    fs::create_symlink("loop-b", dir_ / "loop-a");
    fs::create_symlink("loop-a", dir_ / "loop-b");
    EXPECT_FALSE(ReplaceFileWrite((dir_ / "loop-a").string(), "x", error));
    EXPECT_FALSE(error.empty());
}

TEST_F(ReplaceFileTest, FailuresLeaveTheOriginalAndNoTemporaryFile) {
    fs::create_directory(dir_ / "0002.txt");
    const std::size_t before = Entries();
    std::string error;
    EXPECT_FALSE(ReplaceFileWrite((dir_ / "0002.txt").string(), "x", error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(fs::is_directory(dir_ / "0002.txt"));
    // A missing directory is not made unless asked for.
    error.clear();
    EXPECT_FALSE(ReplaceFileWrite((dir_ / "missing" / "0003.txt").string(), "x", error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(Entries(), before);
    ASSERT_TRUE(ReplaceFileWrite((dir_ / "new" / "deeper" / "v.ini").string(), "k=1", error,
                                 {.createDirectories = true}))
        << error;
    EXPECT_EQ(Read((dir_ / "new" / "deeper" / "v.ini").string()), "k=1");
}

// A writer killed in the middle of its write leaves its temporary file, named with its
// pid; the next write into that folder removes it, but never one of a live writer or a
// file that only looks similar.
TEST_F(ReplaceFileTest, TemporaryFilesOfDeadWritersAreSweptOnTheNextWrite) {
    const std::string mail = Put("0001.txt", "old");
    const pid_t child = ::fork();
    if (child == 0) {
        rlimit small{1024, 1024}, none{0, 0};
        ::setrlimit(RLIMIT_FSIZE, &small);  // SIGXFSZ kills it inside the write
        ::setrlimit(RLIMIT_CORE, &none);
        std::string error;
        ReplaceFileWrite(mail, std::string(4096, 'n'), error);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    const std::string leftover = ".~0001.txt.varnel-" + std::to_string(child) + ".";
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_))
        names.push_back(e.path().filename().string());
    ASSERT_EQ(names.size(), 2u);
    EXPECT_TRUE(names[0].starts_with(leftover) || names[1].starts_with(leftover));
    EXPECT_EQ(Read(mail), "old");

    const std::vector<std::string> kept = {
        ".~0002.txt.varnel-" + std::to_string(::getppid()) + ".abcdef",  // a live writer
        ".~0002.txt.varnel-" + std::to_string(::getpid()) + ".abcdef",   // this process
        ".~0002.txt.varnel-12x.abcdef", "0002.txt.a1b2c3", ".~0002.txt.varnel-999999999"};
    for (const std::string& k : kept)
        Put(k, "k");
    Put(".~0003.txt.varnel-999999999.zzzzzz", "dead");
    std::string error;
    ASSERT_TRUE(ReplaceFileWrite(mail, "new", error)) << error;
    EXPECT_EQ(Read(mail), "new");
    EXPECT_EQ(Entries(), 1 + kept.size());
    for (const std::string& k : kept)
        EXPECT_TRUE(fs::exists(dir_ / k)) << k;
}

TEST_F(ReplaceFileTest, ReadRefusesWhatIsNotAFile) {
    fs::create_directory(dir_ / "sub");
    ASSERT_EQ(::mkfifo((dir_ / "fifo").c_str(), 0600), 0);
    for (const char* name : {"none.txt", "sub", "fifo"}) {
        std::string bytes = "kept", error;
        EXPECT_FALSE(ReplaceFileRead((dir_ / name).string(), bytes, error)) << name;
        EXPECT_FALSE(error.empty()) << name;
        EXPECT_EQ(bytes, "kept") << name;
    }
    EXPECT_EQ(Read(Put("empty.txt", "")), "");
}

}  // namespace
}  // namespace varnel::editor
