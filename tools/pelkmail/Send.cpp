// Sending finished drafts.
#include "Send.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>

#include "Drafts.h"
#include "FolderFiles.h"
#include "Import.h"
#include "Outgoing.h"
#include "mail/MailNames.h"
#include "store/FolderIndex.h"
#include "text/Sjis.h"

extern char** environ;

namespace pelkmail {

using namespace varnel;

namespace {

// SIGCHLD at its default while a command runs, so that its exit status can be waited
// for; afterwards any child that ended meanwhile is reaped as the ignored signal would.
class ChildWait {
  public:
    ChildWait() {
        struct sigaction dfl {};
        dfl.sa_handler = SIG_DFL;
        ::sigaction(SIGCHLD, &dfl, &old_);
    }
    ~ChildWait() {
        ::sigaction(SIGCHLD, &old_, nullptr);
        if (old_.sa_handler == SIG_IGN) {
            while (::waitpid(-1, nullptr, WNOHANG) > 0) {
            }
        }
    }

  private:
    struct sigaction old_ {};
};

std::string DomainOf(std::string_view address) {
    const std::size_t at = text::FindChar(address, '@');
    if (at == std::string_view::npos)
        return "";
    std::string d(address.substr(at + 1));
    return d.substr(0, d.find_first_of("> \t,"));
}

std::string ReportMail(const std::string& draftPath, const std::string& subject,
                       const std::string& command, const std::string& why,
                       const std::string& output) {
    std::string m = "X-Status: RECV\r\n";
    m += "Date: " + DateNow() + "\r\n";
    m += "From: pelkmail <MAILER-DAEMON@localhost>\r\n";
    m += "Subject: \x91\x97\x90\x4d\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5"
         "\x82\xbd / Not sent: " +
         subject + "\r\n";  // "送信できませんでした"
    m += "MIME-Version: 1.0\r\nContent-Type: text/plain; charset=Shift_JIS\r\n"
         "Content-Transfer-Encoding: 8bit\r\n\r\n";
    m += "The mail was not sent; the draft stays in " + draftPath + ".\r\n";
    m += "Command: " + command + "\r\n";
    m += "Reason: " + why + "\r\n";
    if (!output.empty())
        m += "\r\nOutput of the command:\r\n" + output + (output.ends_with('\n') ? "" : "\r\n");
    return m;
}

}  // namespace

CommandResult RunCommand(const std::vector<std::string>& argv, std::string_view input,
                         int timeoutMs) {
    CommandResult r;
    if (argv.empty())
        return r;
    int in[2], out[2];
    if (::pipe2(in, O_CLOEXEC) != 0)
        return r;
    if (::pipe2(out, O_CLOEXEC) != 0) {
        ::close(in[0]);
        ::close(in[1]);
        return r;
    }
    posix_spawn_file_actions_t fa;
    ::posix_spawn_file_actions_init(&fa);
    ::posix_spawn_file_actions_adddup2(&fa, in[0], 0);
    ::posix_spawn_file_actions_adddup2(&fa, out[1], 1);
    ::posix_spawn_file_actions_adddup2(&fa, out[1], 2);
    std::vector<char*> args;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    ChildWait wait;
    pid_t pid = 0;
    const int rc = ::posix_spawnp(&pid, args[0], &fa, nullptr, args.data(), environ);
    ::posix_spawn_file_actions_destroy(&fa);
    ::close(in[0]);
    ::close(out[1]);
    if (rc != 0) {
        ::close(in[1]);
        ::close(out[0]);
        r.output = std::string("cannot start ") + argv[0] + ": " + std::strerror(rc);
        return r;
    }
    r.started = true;
    ::fcntl(in[1], F_SETFL, O_NONBLOCK);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    std::size_t written = 0;
    int inFd = in[1];
    if (input.empty()) {
        ::close(inFd);
        inFd = -1;
    }
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0) {
            r.timedOut = true;
            break;
        }
        pollfd fds[2] = {{out[0], POLLIN, 0}, {inFd, POLLOUT, 0}};
        if (::poll(fds, inFd >= 0 ? 2 : 1, static_cast<int>(left)) < 0 && errno != EINTR)
            break;
        if (inFd >= 0 && (fds[1].revents & (POLLOUT | POLLERR | POLLHUP))) {
            const ssize_t n = ::write(inFd, input.data() + written, input.size() - written);
            if (n > 0)
                written += static_cast<std::size_t>(n);
            if ((n < 0 && errno != EAGAIN) || written == input.size()) {
                ::close(inFd);
                inFd = -1;
            }
        }
        if (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) {
            char buf[4096];
            const ssize_t n = ::read(out[0], buf, sizeof buf);
            if (n <= 0)
                break;  // every writer has closed: the program is ending
            if (r.output.size() < 65536)
                r.output.append(buf, static_cast<std::size_t>(n));
        }
    }
    if (inFd >= 0)
        ::close(inFd);
    ::close(out[0]);
    if (r.timedOut)
        ::kill(pid, SIGKILL);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!r.timedOut && WIFEXITED(status))
        r.exitStatus = WEXITSTATUS(status);
    return r;
}

SendOutcome SendDraft(const StandInStore& store, const MailerSettings& settings,
                      const std::string& draftPath, int timeoutMs) {
    SendOutcome o;
    const auto draft = StandInStore::ReadFile(draftPath);
    if (!draft) {
        o.error = "no draft " + draftPath;
        return o;
    }
    std::string why, output;
    std::optional<Outgoing> msg;
    if (settings.sendCommand.empty()) {
        why = settings.error.empty() ? "pelkmail.ini names no send command ([Send] Command)"
                                     : settings.error;
    } else {
        msg = OutgoingMessage(
            *draft, {settings.from, DateNow(), NewMessageId(DomainOf(settings.from))}, why);
    }
    if (msg) {
        // Local mail programs read lines ended by LF; they put CR LF on the wire.
        std::string lf = msg->message;
        std::erase(lf, '\r');
        const CommandResult r = RunCommand(settings.sendCommand, lf, timeoutMs);
        output = r.output;
        if (r.started && r.exitStatus == 0) {
            const auto stored = StoredForm(msg->message);
            const std::string copy = "X-Status: SNDR\r\n" + (stored ? *stored : msg->message);
            std::string error;
            const auto sent = StoreNewMail(FolderIndexNamed(store, "sent.fld"), copy, error);
            o.ok = true;
            o.sentFile = sent ? *sent : "";
            if (!sent) {
                o.error = "sent, but the copy could not be stored: " + error;
                return o;
            }
            if (std::remove(draftPath.c_str()) != 0) {
                o.error = "sent, but the draft could not be removed: " + draftPath;
                return o;
            }
            // Free the draft's slot in the out folder's index.
            const std::string outIndex = draftPath.substr(0, draftPath.rfind('/')) + ".fld";
            const std::string number = mail::MailNumberOf(draftPath);
            store::FolderIndex index(outIndex);
            if (!number.empty() && index.IsOpen() &&
                index.ReadStatus(std::stoul(number)) != store::IndexStatus::kEmpty)
                store::FolderIndex::UpdateStatus(outIndex, std::stoul(number),
                                                 store::IndexStatus::kEmpty);
            return o;
        }
        why = !r.started   ? (r.output.empty() ? "the command could not be started" : r.output)
              : r.timedOut ? "the command did not end in time"
                           : "the command ended with status " + std::to_string(r.exitStatus);
        if (!r.started)
            output.clear();
    }
    o.error = why;
    std::string error;
    const auto report = StoreNewMail(FolderIndexNamed(store, "in.fld"),
                                     ReportMail(draftPath, HeaderValue(*draft, "Subject"),
                                                settings.sendCommandText, why, output),
                                     error);
    if (report)
        o.reportFile = *report;
    return o;
}

}  // namespace pelkmail
