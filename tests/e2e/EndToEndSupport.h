// Harness for end-to-end runs: a private copy of the sample store and runtime
// directory, the stand-in mailer as a child process, and waiting on its log.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "TempDir.h"

extern char** environ;

namespace varnel::e2e {

namespace fs = std::filesystem;

using testing::ReadAll;

// Starts argv[0] with the current environment, its output (and that of whatever it
// starts) going to outFile; -1 on failure.
inline pid_t Spawn(std::vector<std::string> args, const std::string& outFile) {
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_APPEND,
                                       0600);
    ::posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = -1;
    const int rc = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : -1;
}

inline void Stop(pid_t pid) {
    if (pid <= 0)
        return;
    ::kill(pid, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        if (::waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
}

// Polls cond (and runs idle between polls, e.g. the Qt event loop) for up to ms.
inline bool WaitFor(const std::function<bool()>& cond, int ms,
                    const std::function<void()>& idle = {}) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
        if (cond())
            return true;
        if (idle)
            idle();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return cond();
}

class Store {
  public:
    Store() {
        std::string tmpl = (fs::temp_directory_path() / "ve2eXXXXXX").string();
        root = ::mkdtemp(tmpl.data());
        home = root + "/pelkhome";
        runtime = root + "/rt";
        log = root + "/pelkmail.log";
        fs::copy(VARNEL_EXAMPLES "/pelkhome", home, fs::copy_options::recursive);
        fs::create_directory(runtime);
        fs::permissions(runtime, fs::perms::owner_all, fs::perm_options::replace);
        ::setenv("VARNEL_RUNTIME_DIR", runtime.c_str(), 1);
        ::setenv("PELKHOME", home.c_str(), 1);
        ::setenv("VARNEL_INI", (home + "/varnel32.ini").c_str(), 1);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    ~Store() {
        // Only a viewer still running our program: the pid of one long gone may be
        // another program's by now.
        for (pid_t p : ViewersStartedByMailer()) {
            if (ReadAll("/proc/" + std::to_string(p) + "/cmdline").starts_with(VARNEL_BIN_DIR))
                Stop(p);
        }
        for (pid_t p : started)
            Stop(p);
        std::error_code ec;
        fs::remove_all(root, ec);
    }
    // Starts the stand-in mailer and waits until it listens.
    bool StartMailer(std::vector<std::string> extra = {}) {
        std::vector<std::string> args{
            VARNEL_BIN_DIR "/pelkmail", "--home", home, "--log", log, "--varnel",
            VARNEL_BIN_DIR "/varnel32"};
        args.insert(args.end(), extra.begin(), extra.end());
        const pid_t pid = Spawn(args, root + "/output");
        if (pid < 0)
            return false;
        started.push_back(pid);
        // Every socket listens once the log says so (the companion's come after pelk's).
        return WaitFor(
            [&] { return ReadAll(log).find("# pelkmail listening") != std::string::npos; }, 10000);
    }
    pid_t StartViewer(const std::string& file) {
        const pid_t pid = Spawn({VARNEL_BIN_DIR "/varnel32", file}, root + "/output");
        if (pid > 0)
            started.push_back(pid);
        return pid;
    }
    std::vector<std::string> LogLines() const {
        std::vector<std::string> lines;
        std::istringstream in(ReadAll(log));
        for (std::string l; std::getline(in, l);)
            lines.push_back(l);
        return lines;
    }
    // Index of the first log line equal to line at or after from; -1 when absent.
    int Find(const std::string& line, int from = 0) const {
        const auto lines = LogLines();
        for (int i = from; i < static_cast<int>(lines.size()); ++i) {
            if (lines[static_cast<std::size_t>(i)] == line)
                return i;
        }
        return -1;
    }
    // The pids of viewers that the mailer started ("# start ... : pid N").
    std::vector<pid_t> ViewersStartedByMailer() const {
        std::vector<pid_t> pids;
        for (const auto& l : LogLines()) {
            const auto p = l.rfind(": pid ");
            if (l.starts_with("# start ") && p != std::string::npos)
                pids.push_back(static_cast<pid_t>(std::atol(l.c_str() + p + 6)));
        }
        return pids;
    }
    std::string Mail(const std::string& folder, const std::string& number) const {
        return home + "/" + folder + "/" + number + ".txt";
    }
    std::string Index(const std::string& folder) const { return home + "/" + folder + ".fld"; }

    std::string root, home, runtime, log;  // output: what the programs print
    std::vector<pid_t> started;
};

}  // namespace varnel::e2e
