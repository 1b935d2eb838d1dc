// What both programs do before anything else: the parameters, the running program's
// path, --dump, and how varnel32 starts the window program in its place.
//
// varnel32 itself links no window toolkit, so --help, --version and --dump start as fast
// as any small program; for the window it replaces itself (same process) with
// varnel32-window, which lies beside it and holds the Qt layer.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/CommandLine.h"
#include "app/Environment.h"

namespace varnel::app {

inline constexpr std::string_view kWindowProgram = "varnel32-window";
// Put first by varnel32 on the window program's command line: the front program's own
// path, which chooses the icon, the side-file and the portable settings directory.
inline constexpr std::string_view kFrontProgramOption = "--front-program";

// The parameters after the program name.
std::vector<std::string> ParamsOf(int argc, char** argv);

// The running program's path (argv0 when /proc/self/exe cannot be read).
std::string RunningExecutablePath(const char* argv0);

std::string CurrentWorkingDirectory();

// `varnel32 --dump FILE`: the settings found as the window finds them from the program
// in programDir, the mail printed to stdout; the exit status.
int DumpFromCommandLine(const CommandLine& cl, const EnvLookup& env, const std::string& programDir);

// --help, --version, --dump and a bad option answered on the standard streams: the exit
// status; nothing when the command line asks for the window.
std::optional<int> AnswerWithoutWindow(const CommandLine& cl, const EnvLookup& env,
                                       const std::string& programDir);

// The window program's command line: argv0, the front option with frontPath, then the
// parameters as given (the toolkit's options included).
std::vector<std::string> WindowProgramArgs(const std::string& argv0, const std::string& frontPath,
                                           const std::vector<std::string>& params);

// Replaces this process with the window program beside frontPath; returns only on
// failure, with the reason in error.
void ExecWindowProgram(const std::string& frontPath, const std::vector<std::string>& args,
                       std::string& error);

// The front program's path when the command line starts with the front option (taken
// off params), else empty.
std::string TakeFrontProgram(std::vector<std::string>& params);

}  // namespace varnel::app
