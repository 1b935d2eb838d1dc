#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "mail/MailFileIo.h"

using namespace varnel::mail;
namespace fs = std::filesystem;

TEST(MailFileIo, ReplacesWholeOrLeavesTheOriginal) {
    const fs::path dir =
        fs::temp_directory_path() / ("varnel_io_" + std::to_string(std::random_device{}()));
    fs::create_directories(dir);
    const fs::path file = dir / "0001.txt";
    const std::string original("X-Status: RECV\r\n\0body", 21);
    std::ofstream(file, std::ios::binary) << original;
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    std::string error;
    ASSERT_TRUE(WriteFileSafely(file.string(), "X-Status: READ\r\n", error)) << error;
    EXPECT_EQ(ReadFileBytes(file.string()), "X-Status: READ\r\n");
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    // A target that cannot be replaced (a directory) fails, and no temporary file stays.
    const fs::path blocker = dir / "0002.txt";
    fs::create_directory(blocker);
    EXPECT_FALSE(WriteFileSafely(blocker.string(), "x", error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(fs::is_directory(blocker));
    EXPECT_FALSE(WriteFileSafely((dir / "missing" / "0003.txt").string(), "x", error));
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir))
        ++entries;
    EXPECT_EQ(entries, 2u);

    EXPECT_FALSE(ReadFileBytes((dir / "none.txt").string()));
    EXPECT_FALSE(ReadFileBytes(dir.string()));
    fs::remove_all(dir);
}
