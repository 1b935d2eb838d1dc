// The stand-in mailer's behaviour: what it does for each command, window query and
// key, and what it tells Varnel back.
#pragma once

#include <fstream>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "DraftWatch.h"
#include "KeyInterpreter.h"
#include "MailerSettings.h"
#include "StandInStore.h"
#include "platform/CommandChannel.h"
#include "platform/CommandServer.h"

namespace pelkmail {

struct StandInOptions {
    std::string home;
    std::string logFile;
    std::string queueDir;                   // queued mail that [Receive] delivers
    std::string varnel;                     // the viewer program started on drafts
    std::set<std::string> windows{"main"};  // "main", "thread"
    int answerDelayMs = 0;
    bool answer = true;
    bool companion = false;        // also serve pilvo1.command and its window
    bool alias = false;            // also serve alias.system
    bool draftsByRequest = false;  // open drafts by request instead of a new viewer
    std::string runtimeDir;        // where the viewer's socket lies
};

class StandIn {
  public:
    // Starts a program from an argument vector; its process id, or -1 when it could not
    // be started.
    using Starter = std::function<long(const std::vector<std::string>& argv)>;

    StandIn(StandInOptions options, varnel::platform::CommandChannel& toViewer, Starter start);

    varnel::platform::ExecuteResult OnCommand(const std::string& macro);
    varnel::platform::ExecuteResult OnAlias(const std::string& macro);
    varnel::platform::ExecuteResult OnWindows(const std::string& macro, bool companionOwner);

    void Log(const std::string& line);
    // Called every loop: receives from the Maildir when its interval has passed, and sends
    // the drafts whose windows have closed after writing them back.
    void Tick();

  private:
    struct Cursor {
        std::string indexFile;
        int number = -1;  // -1: before the folder's first mail
    };

    varnel::platform::ExecuteResult Accept(std::function<void()> after = {});
    varnel::platform::ExecuteResult Refuse(const std::string& why);
    void Delay() const;

    std::optional<std::string> Step(const std::string& what);
    std::optional<std::string> StepRecv(int direction);
    void OpenInViewer(const std::string& path);
    long StartViewer(const std::string& path);
    void ReceiveFromMaildir();
    void Send(const std::string& draft);
    void HandOverDraft(const std::string& path);
    void Apply(const std::vector<KeyAction>& actions);
    void SwitchFolder(int direction);
    bool HasWindow(const std::string& kind, const std::string& name, bool companionOwner) const;

    StandInOptions opt_;
    varnel::platform::CommandChannel& toViewer_;
    Starter start_;
    StandInStore store_;
    std::ofstream log_;
    Cursor cursor_;
    KeyInterpreter keys_;
    int drafts_ = 0;
    MailerSettings settings_;
    DraftWatch watch_;
    long lastReceive_ = 0;
};

}  // namespace pelkmail
