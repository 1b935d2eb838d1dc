// The stand-in mailer, run as the program Varnel talks to.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <thread>

#include "ChannelTestSupport.h"
#include "link/MailerMacros.h"
#include "link/UnixCommandChannel.h"
#include "link/UnixCommandServer.h"
#include "store/FolderIndex.h"

extern char** environ;

using namespace varnel;
using namespace varnel::link;
using platform::Delivery;
using varnel::testing::ReadAll;
using varnel::testing::ServerThread;
using varnel::testing::TempDir;
namespace fs = std::filesystem;

namespace {

// A copy of the sample store, a private runtime directory, pelkmail running on both,
// and a fake viewer listening for open requests.
class Pelkmail : public ::testing::Test {
  protected:
    void Start(std::vector<std::string> extra = {}) {
        home = tmp.path() + "/home";
        rt = tmp.path() + "/rt";
        log = tmp.path() + "/log";
        fs::copy(VARNEL_EXAMPLES "/pelkhome", home, fs::copy_options::recursive);
        fs::create_directory(rt);
        fs::permissions(rt, fs::perms::owner_all, fs::perm_options::replace);
        ::setenv("VARNEL_RUNTIME_DIR", rt.c_str(), 1);
        std::vector<std::string> args{
            VARNEL_BIN_DIR "/pelkmail", "--home", home, "--log", log, "--varnel", "/bin/true"};
        args.insert(args.end(), extra.begin(), extra.end());
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        ASSERT_EQ(::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ), 0);
        for (int i = 0; i < 1000 && !fs::exists(rt + "/pelk.command"); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ASSERT_TRUE(fs::exists(rt + "/pelk.command"));
        // Every socket listens once the log says so (the companion's come after pelk's).
        for (int i = 0; i < 1000 && ReadAll(log).find("# pelkmail listening") == std::string::npos;
             ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        channel = std::make_unique<UnixCommandChannel>(rt, 5000);
        viewer = std::make_unique<UnixCommandServer>(rt, "Varnel32", "system",
                                                     [this](const std::string& m) {
                                                         std::lock_guard lock(mu);
                                                         opened.push_back(m);
                                                         return platform::ExecuteResult{true, {}};
                                                     });
        std::string err;
        ASSERT_EQ(viewer->Listen(err), UnixCommandServer::ListenResult::Listening);
        serving = std::make_unique<ServerThread>(*viewer);
    }
    void TearDown() override {
        serving.reset();
        if (pid > 0) {
            ::kill(pid, SIGTERM);
            ::waitpid(pid, nullptr, 0);
        }
    }
    Delivery Cmd(const std::string& macro) { return channel->Execute("Pelk", "Command", macro); }
    Delivery Win(const std::string& macro) { return channel->Execute("Pelk", "Windows", macro); }
    // Waits for the n-th open request.
    std::string Opened(std::size_t n) {
        for (int i = 0; i < 1000; ++i) {
            {
                std::lock_guard lock(mu);
                if (opened.size() > n)
                    return opened[n];
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return "";
    }
    std::vector<std::string> LoggedMacros() {
        std::vector<std::string> r;
        std::istringstream in(ReadAll(log));
        for (std::string line; std::getline(in, line);) {
            if (!line.starts_with("#"))
                r.push_back(line);
        }
        return r;
    }
    std::uint8_t Status(const std::string& index, std::size_t i) {
        return store::FolderIndex(home + "/" + index).ReadStatus(i);
    }

    TempDir tmp;
    std::string home, rt, log;
    pid_t pid = -1;
    std::unique_ptr<UnixCommandChannel> channel;
    std::unique_ptr<UnixCommandServer> viewer;
    std::unique_ptr<ServerThread> serving;
    std::mutex mu;
    std::vector<std::string> opened;
};

}  // namespace

TEST_F(Pelkmail, UpdateMoveAndCopyKeepTheIndexFilesTrue) {
    Start();
    const std::string in = home + "/in.fld";
    // The viewer marked mail 8 read in the file; the update brings the index along.
    std::string mail = ReadAll(home + "/in/0008.txt");
    ASSERT_TRUE(mail.starts_with("X-Status: RECV"));
    mail.replace(10, 4, "READ");
    std::ofstream(home + "/in/0008.txt", std::ios::binary) << mail;
    EXPECT_EQ(Status("in.fld", 8), store::IndexStatus::kNew);
    EXPECT_EQ(Cmd("[Update(" + in + ",0008)]"), Delivery::Delivered);
    EXPECT_EQ(Status("in.fld", 8), store::IndexStatus::kRead);

    const std::size_t trashBefore = store::FolderIndex(home + "/trash.can").RecordCount();
    EXPECT_EQ(Cmd("[Move(" + home + "/trash.can," + in + ",0005)]"), Delivery::Delivered);
    EXPECT_FALSE(fs::exists(home + "/in/0005.txt"));
    EXPECT_EQ(Status("in.fld", 5), store::IndexStatus::kEmpty);
    const std::string moved = home + "/trash/" + link::PadMailNumber(int(trashBefore)) + ".txt";
    EXPECT_TRUE(fs::exists(moved)) << moved;
    EXPECT_NE(Status("trash.can", trashBefore), store::IndexStatus::kEmpty);

    EXPECT_EQ(Cmd("[Copy(" + home + "/sent.fld," + in + ",0006)]"), Delivery::Delivered);
    EXPECT_TRUE(fs::exists(home + "/in/0006.txt"));
    EXPECT_EQ(Status("in.fld", 6), store::IndexStatus::kReplied);

    // A mail that is not there, and nonsense, are refused.
    EXPECT_EQ(Cmd("[Move(" + home + "/trash.can," + in + ",0007)]"), Delivery::Refused);
    EXPECT_EQ(Cmd("[Update(" + in + ",00x1)]"), Delivery::Refused);
    EXPECT_EQ(Cmd("[Launch]"), Delivery::Refused);
    const auto logged = LoggedMacros();
    ASSERT_EQ(logged.size(), 6u);  // every macro, verbatim
    EXPECT_EQ(logged[0], "[Update(" + in + ",0008)]");
    EXPECT_EQ(logged[5], "[Launch]");
}

TEST_F(Pelkmail, KeysAndReplyDraftsComeBackAsOpenRequests) {
    Start({"--windows", "main", "--drafts-by-request"});
    const std::string in = home + "/in.fld";
    EXPECT_EQ(Cmd("[Focus(" + in + ",0004)]"), Delivery::Delivered);

    // The thread window appears through the main window's File menu, then takes
    // list keys: Down, Enter opens the mail after the selected one.
    const std::string thread = "\"title\",\"スレッドの表示\"";
    EXPECT_EQ(Win("[Find(" + thread + ")]"), Delivery::Refused);
    EXPECT_EQ(Win("[Front(\"class\",\"PeLk:MaIn\")]"), Delivery::Delivered);
    EXPECT_EQ(Win("[Keys(\"class\",\"PeLk:MaIn\",\"12d 10d 46d 46u 10u 12u 10d 54d 54u 10u\")]"),
              Delivery::Delivered);
    EXPECT_EQ(Win("[Find(" + thread + ")]"), Delivery::Delivered);
    EXPECT_EQ(Win("[Keys(" + thread + ",\"28dx 28ux 0Dd 0Du\")]"), Delivery::Delivered);
    EXPECT_EQ(Opened(0), "[open(\"" + home + "/in/0005.txt\")]");

    EXPECT_EQ(Cmd("[Reply(" + in + ",0003)]"), Delivery::Delivered);
    const std::string replyOpen = Opened(1);
    ASSERT_TRUE(replyOpen.starts_with("[open(\"" + home + "/out/")) << replyOpen;
    const std::string draft = replyOpen.substr(7, replyOpen.size() - 10);
    const std::string text = ReadAll(draft);
    EXPECT_NE(text.find("\r\nSubject: Re: "), std::string::npos);
    // The sample store's template goes under the separator for the viewer to fill in.
    EXPECT_NE(text.find("\r\n--------\r\n%recipients%\r\n%greeting1%\r\n\r\n> "),
              std::string::npos);
    // Only the text part is quoted: no preamble, boundary or part header.
    EXPECT_EQ(text.find("multi-part message"), std::string::npos);
    EXPECT_EQ(text.find("_Alt_"), std::string::npos);
    EXPECT_EQ(text.find("Content-Type"), std::string::npos);
    EXPECT_NE(text.find("\r\n> https://www.midori-shobo.example.jp/mail/stop\r\n"),
              std::string::npos);
}

TEST_F(Pelkmail, ReceiveDeliversQueuedMailAsUnread) {
    const std::string queue = tmp.path() + "/queue";
    fs::create_directories(queue);
    std::ofstream(queue + "/a.txt", std::ios::binary)
        << "From: a@example.jp\r\nSubject: hi\r\nMessage-ID: <q1@example.jp>\r\n\r\nbody\r\n";
    Start({"--queue", queue});
    const std::size_t next = store::FolderIndex(home + "/in.fld").RecordCount();
    EXPECT_EQ(Cmd("[Receive]"), Delivery::Delivered);
    const std::string got = home + "/in/" + link::PadMailNumber(int(next)) + ".txt";
    EXPECT_TRUE(ReadAll(got).starts_with("X-Status: RECV\r\nFrom: a@example.jp")) << got;
    EXPECT_EQ(Status("in.fld", next), store::IndexStatus::kNew);
    EXPECT_FALSE(fs::exists(queue + "/a.txt"));
    EXPECT_EQ(Cmd("[Receive]"), Delivery::Delivered);  // nothing queued: still answered
}

TEST_F(Pelkmail, CompanionAndAddressBookWhenAsked) {
    Start({"--companion", "--alias"});
    const std::string in = home + "/in.fld";
    EXPECT_EQ(channel->Execute("Pilvo1", "Windows", "[Find(\"class\",\"TfrmPILVO1Main\")]"),
              Delivery::Delivered);
    EXPECT_EQ(Win("[Find(\"class\",\"TfrmPILVO1Main\")]"), Delivery::Refused);  // not the mailer's
    EXPECT_EQ(channel->Execute("Pilvo1", "Command", "[Focus(\"" + in + "\",0010)]"),
              Delivery::Delivered);
    EXPECT_EQ(channel->Execute("Pilvo1", "Command", "[View(\"Prev\")]"), Delivery::Delivered);
    EXPECT_EQ(Opened(0), "[open(\"" + home + "/in/0009.txt\")]");
    EXPECT_EQ(channel->Execute("Alias", "system", "[Append(\"Taro <taro@example.jp>\")]"),
              Delivery::Delivered);
    EXPECT_EQ(channel->Execute("Alias", "system", "[Receive]"), Delivery::Refused);
    const auto logged = LoggedMacros();
    EXPECT_NE(std::find(logged.begin(), logged.end(), "[Append(\"Taro <taro@example.jp>\")]"),
              logged.end());
}
