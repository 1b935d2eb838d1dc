// The real program under input it did not ask for: a bad option without a display, and
// a flood of open requests while an error box is up.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include "EndToEndSupport.h"
#include "link/OpenRequest.h"
#include "link/UnixCommandChannel.h"

namespace varnel::e2e {
namespace {

using platform::Delivery;

using testing::CommandOutput;

TEST(HostileInput, ABadOptionWithoutADisplayPrintsTheUsage) {
    const std::string out =
        CommandOutput("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " VARNEL_BIN_DIR
                      "/varnel32 -q 2>&1; echo rc=$?");
    EXPECT_NE(out.find("unknown option: -q"), std::string::npos) << out;
    EXPECT_NE(out.find("Usage: varnel32"), std::string::npos) << out;
    EXPECT_NE(out.find("rc=2"), std::string::npos) << out;
}

// varnel32 answers --dump, --help and --version without loading the window toolkit;
// the window program beside it holds Qt.
TEST(HostileInput, OnlyTheWindowProgramLoadsTheToolkit) {
    EXPECT_EQ(CommandOutput("ldd " VARNEL_BIN_DIR "/varnel32 | grep -c libQt"), "0\n");
    EXPECT_NE(CommandOutput("ldd " VARNEL_BIN_DIR "/varnel32-window | grep -c libQt"), "0\n");
}

// Each request for a missing file would show an error box; the boxes must not nest (the
// recursion once ran the stack out after about 2,000 of them), and the window must keep
// answering.
TEST(HostileInput, AFloodOfOpenRequestsLeavesTheViewerAnswering) {
    Store s;
    std::ofstream(s.home + "/varnel32.ini", std::ios::binary) << "[View]\r\nEnglishMenu=1\r\n";
    const pid_t viewer = s.StartViewer(s.Mail("in", "0002"));
    ASSERT_GT(viewer, 0);
    ASSERT_TRUE(WaitFor([&] { return fs::exists(s.runtime + "/varnel32.system"); }, 10000));
    link::UnixCommandChannel channel(s.runtime, 5000);
    int delivered = 0;
    for (int i = 0; i < 5000; ++i) {
        const auto macro = link::OpenRequestFor(s.root + "/missing/" + std::to_string(i) + ".txt");
        delivered += channel.Execute("Varnel32", "system", *macro) == Delivery::Delivered;
    }
    EXPECT_EQ(delivered, 5000);
    EXPECT_EQ(::waitpid(viewer, nullptr, WNOHANG), 0) << "the viewer died";
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(channel.Execute("Varnel32", "system", *link::OpenRequestFor(s.Mail("in", "0003"))),
              Delivery::Delivered);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

}  // namespace
}  // namespace varnel::e2e
