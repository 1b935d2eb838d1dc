// pelkmail: a stand-in for the mailer that Varnel works beside. It answers Varnel's
// commands on the command channel with the effects Varnel relies on, answers for its
// windows and their keys, and logs every macro it receives.
#include <poll.h>
#include <spawn.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>
#include <sstream>

#include "Batch.h"
#include "StandIn.h"
#include "StoreGenerator.h"
#include "link/RuntimeDir.h"
#include "link/UnixCommandChannel.h"
#include "link/UnixCommandServer.h"

extern char** environ;

namespace {

volatile std::sig_atomic_t g_stop = 0;

void OnSignal(int) {
    g_stop = 1;
}

constexpr const char* kHelp = R"(Usage: pelkmail --home DIR --log FILE [options]
       pelkmail --home DIR --import SOURCE...
       pelkmail --home DIR --receive
       pelkmail --home DIR --send DRAFT...

A stand-in for the mailer that Varnel works beside. It listens on the command
channel (pelk.command, and pelk.windows for its windows) in the runtime directory
($VARNEL_RUNTIME_DIR, else $XDG_RUNTIME_DIR/varnel, else /tmp/varnel-UID), logs
every macro it receives to FILE (one per line, verbatim; its own notes start
with "# "), and keeps the folder index files under DIR true.

Options:
  --home DIR           the mail store (folders, index files, pelkmail.ini)
  --log FILE           append the log here
  --queue DIR          mail that [Receive] delivers, one file each (default DIR/queue)
  --varnel PATH        the viewer started on drafts and when no viewer listens
                       (default: varnel32 beside pelkmail)
  --windows LIST       windows that exist: main, thread, both comma-separated, or
                       none (default: main)
  --delay MS           wait MS milliseconds before every answer
  --no-answer          read and log commands but never answer (a hung mailer)
  --companion          also serve pilvo1.command and the companion's window
  --alias              also serve alias.system (the address book)
  --drafts-by-request  hand reply and forward drafts to a listening viewer with an
                       open request instead of starting a new viewer window
  --exit-with PID      exit when process PID has ended
  --help               show this text

One-shot commands (no command channel, no log):
  --import SOURCE...   store every mail of each .eml file, mbox file or Maildir as
                       new mail in DIR/in (the sources stay as they are)
  --receive            take the new mail of the Maildir named in DIR/pelkmail.ini
                       ([Receive] Maildir=) into DIR/in and mark it seen there
  --send DRAFT...      send finished drafts with the [Send] Command of pelkmail.ini
                       (default "/usr/sbin/sendmail -t -oi" when that exists) and move
                       them to DIR/sent
  --generate N         write a large store of N mails (1 to 9999) into DIR, with
                       threads across in/ and sent/ and every index file

While running, [Receive] also takes the Maildir's new mail (and every [Receive]
Interval= seconds when set), and a draft handed to a viewer window is sent once
the window has written it back and closed.
)";

long Start(const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawn(&pid, args[0], nullptr, nullptr, args.data(), environ) != 0)
        return -1;
    return pid;
}

std::set<std::string> ParseWindows(const std::string& list) {
    std::set<std::string> w;
    std::stringstream s(list);
    std::string item;
    while (std::getline(s, item, ',')) {
        if (!item.empty() && item != "none")
            w.insert(item);
    }
    return w;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace varnel;
    pelkmail::StandInOptions opt;
    pid_t exitWith = 0;
    std::string batch;  // --import, --receive or --send
    std::vector<std::string> batchArgs;
    long generate = 0;
    const std::vector<std::string> args(argv + 1, argv + argc);
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= args.size()) {
                std::cerr << "pelkmail: " << a << " needs a value\n";
                std::exit(2);
            }
            return args[++i];
        };
        if (a == "--help" || a == "-h") {
            std::cout << kHelp;
            return 0;
        } else if (a == "--home") {
            opt.home = value();
        } else if (a == "--log") {
            opt.logFile = value();
        } else if (a == "--queue") {
            opt.queueDir = value();
        } else if (a == "--varnel") {
            opt.varnel = value();
        } else if (a == "--windows") {
            opt.windows = ParseWindows(value());
        } else if (a == "--delay") {
            opt.answerDelayMs = std::atoi(value().c_str());
        } else if (a == "--no-answer") {
            opt.answer = false;
        } else if (a == "--companion") {
            opt.companion = true;
        } else if (a == "--alias") {
            opt.alias = true;
        } else if (a == "--drafts-by-request") {
            opt.draftsByRequest = true;
        } else if (a == "--import" || a == "--send") {
            batch = a;
            batchArgs.assign(args.begin() + static_cast<long>(i) + 1, args.end());
            break;
        } else if (a == "--receive") {
            batch = a;
        } else if (a == "--generate") {
            generate = std::atol(value().c_str());
        } else if (a == "--exit-with") {
            exitWith = static_cast<pid_t>(std::atol(value().c_str()));
        } else {
            std::cerr << "pelkmail: unknown option " << a << " (see --help)\n";
            return 2;
        }
    }
    if (!batch.empty()) {
        if (opt.home.empty() || (batch != "--receive" && batchArgs.empty())) {
            std::cerr << "pelkmail: " << batch << " needs --home before it (see --help)\n";
            return 2;
        }
        if (batch == "--import")
            return pelkmail::RunImport(opt.home, batchArgs);
        if (batch == "--send")
            return pelkmail::RunSend(opt.home, batchArgs);
        return pelkmail::RunReceive(opt.home);
    }
    if (generate != 0) {
        std::string error;
        if (opt.home.empty() || !pelkmail::GenerateStore(opt.home, generate, error)) {
            std::cerr << "pelkmail: " << (opt.home.empty() ? "--generate needs --home" : error)
                      << "\n";
            return 1;
        }
        return 0;
    }
    if (opt.home.empty() || opt.logFile.empty()) {
        std::cerr << "pelkmail: --home and --log are required (see --help)\n";
        return 2;
    }
    if (opt.queueDir.empty())
        opt.queueDir = opt.home + "/queue";
    if (opt.varnel.empty()) {
        std::error_code ec;
        const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
        if (!ec)
            opt.varnel = (self.parent_path() / "varnel32").string();
    }

    std::string error;
    const auto dir = link::OpenRuntimeDir(error);
    if (!dir) {
        std::cerr << "pelkmail: " << error << "\n";
        return 1;
    }
    std::signal(SIGCHLD, SIG_IGN);  // started viewers are reaped by the system
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGTERM, OnSignal);
    std::signal(SIGINT, OnSignal);
    std::signal(SIGHUP, OnSignal);

    opt.runtimeDir = *dir;
    link::UnixCommandChannel toViewer(*dir, 2000);
    pelkmail::StandIn standIn(opt, toViewer, Start);

    std::vector<std::unique_ptr<link::UnixCommandServer>> servers;
    auto serve = [&](const char* service, const char* topic, platform::ExecuteHandler h) {
        auto s = std::make_unique<link::UnixCommandServer>(*dir, service, topic, std::move(h));
        const auto r = s->Listen(error);
        if (r != link::UnixCommandServer::ListenResult::Listening) {
            std::cerr << "pelkmail: " << s->SocketPath() << ": "
                      << (r == link::UnixCommandServer::ListenResult::InUse
                              ? "another program answers there"
                              : error)
                      << "\n";
            return false;
        }
        s->SetAnswering(opt.answer);
        servers.push_back(std::move(s));
        return true;
    };
    bool ok =
        serve("Pelk", "Command", [&](const std::string& m) { return standIn.OnCommand(m); }) &&
        serve("Pelk", "Windows", [&](const std::string& m) { return standIn.OnWindows(m, false); });
    if (ok && opt.companion) {
        ok = serve("Pilvo1", "Command",
                   [&](const std::string& m) { return standIn.OnCommand(m); }) &&
             serve("Pilvo1", "Windows",
                   [&](const std::string& m) { return standIn.OnWindows(m, true); });
    }
    if (ok && opt.alias)
        ok = serve("Alias", "system", [&](const std::string& m) { return standIn.OnAlias(m); });
    if (!ok)
        return 1;
    standIn.Log("# pelkmail listening in " + *dir);

    while (!g_stop) {
        std::vector<pollfd> fds;
        for (const auto& s : servers) {
            for (int fd : s->PollFds())
                fds.push_back(pollfd{fd, POLLIN, 0});
        }
        // Short enough for the connections' deadlines.
        const int n = ::poll(fds.data(), fds.size(), 100);
        if (n < 0 && errno != EINTR)
            break;
        for (const auto& s : servers)
            s->ProcessPending();
        standIn.Tick();
        if (exitWith > 0 && ::kill(exitWith, 0) != 0 && errno == ESRCH)
            break;
    }
    standIn.Log("# pelkmail stopped");
    return 0;  // the servers remove their sockets
}
