// A save killed at any moment leaves the old text or the new one, never a cut file.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "TempDir.h"
#include "editor/SonEdit2.h"
#include "fakes/EditorFakes.h"
#include "fakes/Fakes.h"

namespace varnel::editor {
namespace {

TEST(SaveKill, AKilledSaveLeavesAWholeFile) {
    const std::string dir = ::testing::TempDir() + "varnel-savekill-" + std::to_string(::getpid());
    std::filesystem::create_directories(dir);
    const std::string path = dir + "/draft.txt";
    // Two drafts of different lengths, each ending in its own mark.
    const std::string a = std::string(300000, 'a') + "\r\nEND-A";
    const std::string b = std::string(200000, 'b') + "\r\nEND-B";
    { std::ofstream(path, std::ios::binary) << a; }
    for (int round = 0; round < 5; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            fakes::CellTextMetrics metrics;
            fakes::MemoryClipboard clipboard;
            fakes::ScriptedPrompter prompter;
            TSonEdit2 e(metrics, clipboard, prompter);
            e.SetWrap(false, false);
            for (int i = 0; i < 200; ++i) {
                e.SetText(i % 2 ? a : b);
                e.SaveFile(path);
            }
            ::_exit(0);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20 + 37 * round));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        const std::string now = testing::ReadAll(path);
        EXPECT_TRUE(now == a || now == b) << "round " << round << ": " << now.size() << " bytes";
    }
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace varnel::editor
