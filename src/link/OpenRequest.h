// Open requests that the mailer sends to a viewer window: [open("PATH")].
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace varnel::link {

// The prefix a viewer window accepts, and the one a compose window has instead: it
// matches no request, so a compose window never replaces its draft.
inline constexpr std::string_view kViewerOpenPrefix = "[open(\"";
inline constexpr std::string_view kComposeOpenPrefix = "dummy";

// The path of a request whose first line is the whole form openPrefix + PATH + "\")]",
// the prefix compared without regard to letter case. The path keeps its case and must
// be an absolute path; anything else gives nullopt.
std::optional<std::string> ParseOpenRequest(std::string_view macro, std::string_view openPrefix);

// The command name of a request [command("NAME")] that runs a window command (the
// prefix compared without regard to letter case); nullopt for anything else. NAME is
// letters and digits only.
std::optional<std::string> ParseCommandRequest(std::string_view macro);

// The request that asks a viewer to open path; nullopt when path cannot be carried
// (empty, or holding a line break or NUL).
std::optional<std::string> OpenRequestFor(std::string_view path);

}  // namespace varnel::link
