// The user commands of section "Command": a folder command on the shown mail, or a
// program started on the mail file (no shell: the command is split into words).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace varnel::app {

struct UserCommandPlan {
    bool folder = false;
    std::string operation;              // folder form: "Move" or "Copy"
    std::string destination;            // folder form: up to and including the first ".fld"
    std::vector<std::string> program;   // program form: the program and its first words
    std::vector<std::string> trailing;  // words passed after the file argument
    // ".ext" when the mail is handed over as a copy with that extension ("$32.ext").
    std::string copyExtension;
    std::string error;  // the command could not be split; nothing is run
};

UserCommandPlan PlanUserCommand(std::string_view command);

}  // namespace varnel::app
