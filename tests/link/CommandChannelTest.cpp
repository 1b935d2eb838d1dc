#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <mutex>
#include <vector>

#include "ChannelTestSupport.h"
#include "link/RuntimeDir.h"
#include "link/UnixCommandChannel.h"
#include "link/UnixCommandServer.h"
#include "link/UnixSocket.h"

using namespace varnel;
using namespace varnel::link;
using platform::Delivery;
using platform::ExecuteResult;
using varnel::testing::ServerThread;
using varnel::testing::TempDir;

namespace {

struct Recorder {
    std::mutex m;
    std::vector<std::string> got;
    bool accept = true;
    platform::ExecuteHandler Handler() {
        return [this](const std::string& macro) {
            std::lock_guard lock(m);
            got.push_back(macro);
            return ExecuteResult{accept, {}};
        };
    }
};

// Leaves a socket file behind with nobody listening, as a crashed server would.
void MakeStaleSocket(const std::string& path) {
    int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::strcpy(addr.sun_path, path.c_str());
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ::close(fd);
}

// A server of the given name in a private temporary directory, listening.
struct Served {
    TempDir t;
    Recorder rec;
    std::string err;
    UnixCommandServer server;
    Served(const char* service, const char* topic, std::chrono::milliseconds readTimeout = {},
           UnixCommandServer::PeerUidSource peerUid = UnixCommandServer::KernelPeerUid)
        : server(t.path(), service, topic, rec.Handler(), std::move(peerUid)) {
        if (readTimeout.count() > 0)
            server.SetReadTimeout(readTimeout);
        EXPECT_EQ(server.Listen(err), UnixCommandServer::ListenResult::Listening) << err;
    }
    // A client connection to the server, connected.
    void Connect(UnixSocket& s) {
        ASSERT_EQ(s.Connect(server.SocketPath(),
                            std::chrono::steady_clock::now() + std::chrono::seconds(5)),
                  UnixSocket::ConnectResult::Connected);
    }
};

}  // namespace

TEST(RuntimeDir, ChoiceAndNames) {
    EXPECT_EQ(RuntimeDirFor("/r/v", "/run/user/5", 5), "/r/v");
    EXPECT_EQ(RuntimeDirFor("", "/run/user/5", 5), "/run/user/5/varnel");
    EXPECT_EQ(RuntimeDirFor(nullptr, nullptr, 1000), "/tmp/varnel-1000");
    EXPECT_EQ(SocketName("Pelk", "Command"), "pelk.command");
    EXPECT_EQ(SocketName("Varnel32", "system"), "varnel32.system");
    EXPECT_TRUE(IsChannelName("Pilvo1"));
    for (const char* bad : {"", "../x", "a/b", "a.b", "a b"})
        EXPECT_FALSE(IsChannelName(bad)) << bad;
}

TEST(RuntimeDir, PrivateDirectoryChecks) {
    TempDir t;
    std::string err;
    const std::string fresh = t.path() + "/fresh";
    ASSERT_TRUE(EnsurePrivateDir(fresh, ::geteuid(), err)) << err;
    struct stat st {};
    ::stat(fresh.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    const std::string open = t.path() + "/open";
    std::string notice;
    for (mode_t mode : {0755, 0777}) {
        ::mkdir(open.c_str(), 0700);
        ::chmod(open.c_str(), mode);
        ASSERT_TRUE(EnsurePrivateDir(open, ::geteuid(), err, &notice));
        ::stat(open.c_str(), &st);
        EXPECT_EQ(st.st_mode & 0777, 0700u);
        // Only a directory others could write into may hold what they planted.
        EXPECT_EQ(notice.empty(), mode == 0755) << std::oct << mode;
    }
    EXPECT_NE(ChannelProblemText("", notice, true).find(open), std::string::npos);
    EXPECT_EQ(ChannelProblemText("", "", true), "");

    EXPECT_FALSE(EnsurePrivateDir(fresh, ::geteuid() + 1, err));  // someone else's
    EXPECT_NE(ChannelProblemText(err, "", false).find("VARNEL_RUNTIME_DIR"), std::string::npos);
    const std::string link = t.path() + "/link";
    ::symlink(fresh.c_str(), link.c_str());
    EXPECT_FALSE(EnsurePrivateDir(link, ::geteuid(), err));
    std::ofstream(t.path() + "/file") << "x";
    EXPECT_FALSE(EnsurePrivateDir(t.path() + "/file", ::geteuid(), err));
    EXPECT_FALSE(EnsurePrivateDir("relative", ::geteuid(), err));
}

TEST(CommandChannel, DeliveryOutcomes) {
    Served s("Pelk", "Command");
    Recorder& rec = s.rec;
    UnixCommandChannel channel(s.t.path(), 1000);
    std::string longMacro;
    {
        ServerThread serving(s.server);
        longMacro = "[Append(\"" + std::string(600, 'x') + "\")]";
        const std::string sjis = "[Focus(/p/\x83\x5C\x95\x5C.fld,0001)]";  // ソ表: 0x5C trail bytes
        EXPECT_EQ(channel.Execute("Pelk", "Command", longMacro), Delivery::Delivered);
        EXPECT_EQ(channel.Execute("PELK", "COMMAND", sjis), Delivery::Delivered);
        rec.accept = false;
        EXPECT_EQ(channel.Execute("Pelk", "Command", "[Nonsense]"), Delivery::Refused);
        for (const char* bad : {"", "[A]\r\n", "[A]\n[B]"})
            EXPECT_EQ(channel.Execute("Pelk", "Command", bad), Delivery::Invalid) << bad;
        EXPECT_EQ(channel.Execute("Pelk", "Command", std::string("[A]\0[B]", 7)),
                  Delivery::Invalid);
        EXPECT_EQ(channel.Execute("../pelk", "Command", "[A]"), Delivery::Invalid);
        EXPECT_EQ(channel.Execute("Pilvo1", "Command", "[A]"), Delivery::NoServer);
    }
    std::lock_guard lock(rec.m);
    ASSERT_EQ(rec.got.size(), 3u);     // nothing invalid reached the server
    EXPECT_EQ(rec.got[0], longMacro);  // never truncated
    EXPECT_EQ(rec.got[1], "[Focus(/p/\x83\x5C\x95\x5C.fld,0001)]");
}

TEST(CommandServer, NeverStealsALiveSocketButReplacesAStaleOne) {
    TempDir t;
    Recorder first, second;
    std::string err;
    const std::string path = t.path() + "/varnel32.system";

    MakeStaleSocket(path);
    auto a = std::make_unique<UnixCommandServer>(t.path(), "Varnel32", "system", first.Handler());
    ASSERT_EQ(a->Listen(err), UnixCommandServer::ListenResult::Listening) << err;

    UnixCommandServer b(t.path(), "Varnel32", "system", second.Handler());
    EXPECT_EQ(b.Listen(err), UnixCommandServer::ListenResult::InUse);
    {
        ServerThread serving(*a);
        UnixCommandChannel channel(t.path(), 1000);
        EXPECT_EQ(channel.Execute("Varnel32", "system", "[open(\"/x/0001.txt\")]"),
                  Delivery::Delivered);
    }
    EXPECT_EQ(first.got.size(), 1u);
    EXPECT_TRUE(second.got.empty());

    // A server removes its own socket at exit, and then a second one may take over.
    a.reset();
    EXPECT_NE(::access(path.c_str(), F_OK), 0);
    EXPECT_EQ(b.Listen(err), UnixCommandServer::ListenResult::Listening);

    // A file that is not a socket is never removed.
    std::ofstream(t.path() + "/pelk.command") << "keep";
    UnixCommandServer c(t.path(), "Pelk", "Command", first.Handler());
    EXPECT_EQ(c.Listen(err), UnixCommandServer::ListenResult::Failed);
    EXPECT_EQ(::access((t.path() + "/pelk.command").c_str(), F_OK), 0);
}

TEST(CommandServer, DoesNotRemoveASocketThatReplacedIt) {
    Served s("Pelk", "Command");
    ::unlink(s.server.SocketPath().c_str());
    MakeStaleSocket(s.server.SocketPath());  // someone else's file now
    s.server.Stop();
    EXPECT_EQ(::access(s.server.SocketPath().c_str(), F_OK), 0);
}

TEST(CommandServer, RefusesAnotherUsersConnection) {
    Served s("Varnel32", "system", {}, [](int) { return std::optional<uid_t>(::geteuid() + 1); });
    {
        ServerThread serving(s.server);
        UnixCommandChannel channel(s.t.path(), 1000);
        EXPECT_EQ(channel.Execute("Varnel32", "system", "[open(\"/x/0001.txt\")]"),
                  Delivery::Refused);
    }
    EXPECT_TRUE(s.rec.got.empty());
    EXPECT_EQ(s.server.RefusedPeers(), 1);
}

// Silent clients hold no one up: the server reads every connection as its bytes arrive,
// so a real request is answered while twenty idle connections are still open, and a
// macro sent in pieces is put together.
TEST(CommandServer, IdleConnectionsDoNotDelayARealRequest) {
    Served s("Varnel32", "system", std::chrono::seconds(30));
    ServerThread serving(s.server);
    std::vector<UnixSocket> idle(20);
    for (auto& socket : idle)
        s.Connect(socket);
    idle[0].SendAll("[open(\"/x/", std::chrono::steady_clock::now());  // and then nothing
    UnixSocket pieces;
    s.Connect(pieces);
    pieces.SendAll("[open(\"/a/", std::chrono::steady_clock::now() + std::chrono::seconds(1));

    const auto start = std::chrono::steady_clock::now();
    UnixCommandChannel channel(s.t.path(), 10000);
    EXPECT_EQ(channel.Execute("Varnel32", "system", "[real]"), Delivery::Delivered);
    // The idle ones would hold it for their whole deadline (30 s) if they were waited on.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));

    pieces.SendAll(std::string("0001.txt\")]\0", 13),
                   std::chrono::steady_clock::now() + std::chrono::seconds(1));
    EXPECT_EQ(pieces.ReceiveByte(std::chrono::steady_clock::now() + std::chrono::seconds(10)), '1');
    std::lock_guard lock(s.rec.m);
    EXPECT_EQ(s.rec.got, (std::vector<std::string>{"[real]", "[open(\"/a/0001.txt\")]"}));
}

TEST(CommandServer, APartialMacroIsDroppedAtItsDeadline) {
    Served s("Pelk", "Command", std::chrono::milliseconds(100));
    ServerThread serving(s.server);
    UnixSocket slow;
    s.Connect(slow);
    slow.SendAll("[Rec", std::chrono::steady_clock::now());
    // Refused once its time is up, and never handled.
    EXPECT_EQ(slow.ReceiveByte(std::chrono::steady_clock::now() + std::chrono::seconds(10)), '0');
    EXPECT_TRUE(s.rec.got.empty());
}

// A socket another user put into our directory while it was open is not a live server
// of ours: it is removed, the server listens, and says so.
TEST(CommandServer, ASocketPlantedByAnotherUserIsReplaced) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to make a file of another user";
    TempDir t;
    Recorder rec;
    std::string err;
    UnixCommandServer planted(t.path(), "Varnel32", "system", rec.Handler());
    ASSERT_EQ(planted.Listen(err), UnixCommandServer::ListenResult::Listening);
    ASSERT_EQ(::lchown(planted.SocketPath().c_str(), 12345, 12345), 0);
    UnixCommandServer ours(t.path(), "Varnel32", "system", rec.Handler());
    EXPECT_EQ(ours.Listen(err), UnixCommandServer::ListenResult::Listening) << err;
    EXPECT_NE(ours.Notice().find("another user"), std::string::npos);
    struct stat st {};
    ASSERT_EQ(::lstat(ours.SocketPath().c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, ::geteuid());
}

TEST(CommandServer, HungServerDoesNotFreezeTheClient) {
    Served s("Pelk", "Command");
    s.server.SetAnswering(false);
    ServerThread serving(s.server);
    UnixCommandChannel channel(s.t.path(), 200);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(channel.Execute("Pelk", "Command", "[Receive]"), Delivery::Refused);
    // Generous bound: the point is that the client gives up instead of hanging.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

TEST(CommandServer, WorkAfterTheAnswerRunsOnceTheClientHasItsAnswer) {
    TempDir t;
    std::string err;
    std::atomic<bool> ran{false};
    UnixCommandServer server(t.path(), "Pelk", "Command", [&](const std::string&) {
        return ExecuteResult{true, [&] {
                                 // The client is no longer waiting: this may take long.
                                 std::this_thread::sleep_for(std::chrono::seconds(3));
                                 ran = true;
                             }};
    });
    ASSERT_EQ(server.Listen(err), UnixCommandServer::ListenResult::Listening);
    ServerThread serving(server);
    UnixCommandChannel channel(t.path(), 2000);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(channel.Execute("Pelk", "Command", "[Receive]"), Delivery::Delivered);
    // The answer does not wait for the three-second work (bound loose for loaded machines).
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2500));
    EXPECT_FALSE(ran);
    for (int i = 0; i < 1000 && !ran; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(ran);
}

TEST(CommandServer, TwoServersStartingTogetherNeverBothListen) {
    TempDir t;
    Recorder rec;
    for (int round = 0; round < 20; ++round) {
        UnixCommandServer a(t.path(), "Varnel32", "system", rec.Handler());
        UnixCommandServer b(t.path(), "Varnel32", "system", rec.Handler());
        UnixCommandServer::ListenResult ra{}, rb{};
        std::string ea, eb;
        std::thread ta([&] { ra = a.Listen(ea); });
        std::thread tb([&] { rb = b.Listen(eb); });
        ta.join();
        tb.join();
        const int listening = (ra == UnixCommandServer::ListenResult::Listening) +
                              (rb == UnixCommandServer::ListenResult::Listening);
        ASSERT_EQ(listening, 1) << round;
        // The name answers as soon as it exists.
        UnixCommandServer& winner = ra == UnixCommandServer::ListenResult::Listening ? a : b;
        ServerThread serving(winner);
        UnixCommandChannel channel(t.path(), 1000);
        EXPECT_EQ(channel.Execute("Varnel32", "system", "[x]"), Delivery::Delivered) << round;
    }
}
