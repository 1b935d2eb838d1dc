// The stand-in's one-shot commands: import sources, receive from the Maildir once, send
// drafts. Each reports to stdout/stderr and returns the exit status.
#pragma once

#include <string>
#include <vector>

namespace pelkmail {

int RunImport(const std::string& home, const std::vector<std::string>& sources);
int RunReceive(const std::string& home);
int RunSend(const std::string& home, const std::vector<std::string>& drafts);

}  // namespace pelkmail
