// The stand-in mailer, run as the program Varnel talks to.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <thread>

#include "ChannelTestSupport.h"
#include "e2e/EndToEndSupport.h"
#include "link/MailerMacros.h"
#include "link/UnixCommandChannel.h"
#include "link/UnixCommandServer.h"
#include "store/FolderIndex.h"

using namespace varnel;
using namespace varnel::link;
using platform::Delivery;
using varnel::testing::ReadAll;
using varnel::testing::ServerThread;
namespace fs = std::filesystem;

namespace {

// A copy of the sample store, a private runtime directory, pelkmail running on both,
// and a fake viewer listening for open requests.
class Pelkmail : public ::testing::Test {
  protected:
    void Start(std::vector<std::string> extra = {}) {
        extra.insert(extra.begin(), {"--varnel", "/bin/true"});
        ASSERT_TRUE(s.StartMailer(extra));
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
    Delivery Cmd(const std::string& macro) { return channel->Execute("Pelk", "Command", macro); }
    Delivery Win(const std::string& macro) { return channel->Execute("Pelk", "Windows", macro); }
    // Waits for the n-th open request.
    std::string Opened(std::size_t n) {
        const auto at = [&] {
            std::lock_guard lock(mu);
            return opened.size() > n ? opened[n] : std::string();
        };
        e2e::WaitFor([&] { return !at().empty(); }, 10000);
        return at();
    }
    std::vector<std::string> LoggedMacros() {
        std::vector<std::string> r;
        for (const std::string& line : s.LogLines()) {
            if (!line.starts_with("#"))
                r.push_back(line);
        }
        return r;
    }
    std::uint8_t Status(const std::string& index, std::size_t i) {
        return store::FolderIndex(home + "/" + index).ReadStatus(i);
    }

    std::mutex mu;
    std::vector<std::string> opened;
    e2e::Store s;
    const std::string home = s.home, rt = s.runtime;
    std::unique_ptr<UnixCommandChannel> channel;
    std::unique_ptr<UnixCommandServer> viewer;
    std::unique_ptr<ServerThread> serving;  // stopped first
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
    const std::string queue = s.root + "/queue";
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
