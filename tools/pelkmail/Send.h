// Sending a finished draft: piped to the send command, then moved to sent/; a failure
// leaves the draft in out/ and puts a report into in/.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "MailerSettings.h"
#include "StandInStore.h"

namespace pelkmail {

struct CommandResult {
    bool started = false;
    int exitStatus = -1;  // -1 when it did not end normally
    bool timedOut = false;
    std::string output;  // what it wrote to stdout and stderr
};

// Starts argv (looked up in PATH, no shell), writes input to its standard input and
// waits for it, at most timeoutMs; a program still running then is killed.
CommandResult RunCommand(const std::vector<std::string>& argv, std::string_view input,
                         int timeoutMs);

struct SendOutcome {
    bool ok = false;
    std::string sentFile;    // the copy in sent/
    std::string error;       // why it was not sent
    std::string reportFile;  // the failure report in in/
};

SendOutcome SendDraft(const StandInStore& store, const MailerSettings& settings,
                      const std::string& draftPath, int timeoutMs = 60000);

}  // namespace pelkmail
