// Reading a user command line. Placeholders are looked for in the order "$select",
// "$32", "$16"; the short 8.3 name of "$16" does not exist here, so it is the long one.
#include "app/UserCommand.h"

#include "text/CommandSplit.h"
#include "text/Sjis.h"

namespace varnel::app {
namespace {

bool Split(std::string_view s, std::vector<std::string>& words, std::string& error) {
    return text::SplitCommand(s, words, &error);
}

}  // namespace

UserCommandPlan PlanUserCommand(std::string_view command) {
    UserCommandPlan plan;
    const std::string_view c = text::TrimBlanks(command);
    const std::string lower = text::ToLowerAscii(c);
    const std::size_t fld = text::Find(lower, ".fld");
    if (fld != text::npos && !text::Contains(std::string_view(lower).substr(fld + 4), ".exe")) {
        plan.folder = true;
        plan.operation = text::Contains(lower, "/c") ? "Copy" : "Move";
        plan.destination = std::string(c.substr(0, fld + 4));  // the real case goes out
        return plan;
    }
    std::size_t at = text::npos;
    std::size_t placeholderLength = 0;
    for (std::string_view p : {"$select", "$32", "$16"}) {
        at = text::Find(lower, p);
        if (at != text::npos) {
            placeholderLength = p.size();
            break;
        }
    }
    if (at == text::npos) {
        // Only the program (the quoted part, or the first word) and the mail file.
        std::vector<std::string> words;
        if (!Split(c, words, plan.error))
            return plan;
        if (!words.empty())
            plan.program.push_back(words.front());
        return plan;
    }
    std::string_view programPart = c.substr(0, at);
    // A placeholder written inside quotes: the opening quote goes with it.
    if (programPart.ends_with(" \""))
        programPart.remove_suffix(2);
    const std::size_t blank = text::FindChar(c, ' ', at);
    const std::string_view token = c.substr(at, blank == text::npos ? text::npos : blank - at);
    const std::string_view rest = blank == text::npos ? std::string_view() : c.substr(blank + 1);
    if (placeholderLength == 3 && token.size() >= 7 && token[3] == '.')
        plan.copyExtension = std::string(token.substr(3, 4));
    std::string_view trailing = rest;
    if (!Split(programPart, plan.program, plan.error) ||
        !Split(trailing, plan.trailing, plan.error))
        plan.program.clear();
    return plan;
}

}  // namespace varnel::app
