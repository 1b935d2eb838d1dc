// The programs' start: parameters, dump, and the hand-over to the window program.
#include "app/ProgramStart.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "app/IniFile.h"
#include "app/MailDump.h"
#include "app/SettingsLoader.h"
#include "app/SettingsLocation.h"
#include "app/StartFile.h"
#include "app/SystemClock.h"
#include "mail/MailNames.h"

namespace varnel::app {

std::vector<std::string> ParamsOf(int argc, char** argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

std::string RunningExecutablePath(const char* argv0) {
    std::error_code ec;
    const auto p = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string(argv0 ? argv0 : "varnel32") : p.string();
}

std::string CurrentWorkingDirectory() {
    std::error_code ec;
    const auto p = std::filesystem::current_path(ec);
    return ec ? std::string() : p.string();
}

int DumpFromCommandLine(const CommandLine& cl, const EnvLookup& env,
                        const std::string& programDir) {
    const SettingsLocation where = LocateSettingsFile(env, programDir);
    const Settings settings = LoadAllSettings(IniFile(where.file), env, "");
    const SystemClock clock;
    return DumpMailFile(AbsoluteStartPath(cl.fileName, CurrentWorkingDirectory()), settings, clock,
                        std::cout, std::cerr);
}

std::vector<std::string> WindowProgramArgs(const std::string& argv0, const std::string& frontPath,
                                           const std::vector<std::string>& params) {
    std::vector<std::string> args{argv0, std::string(kFrontProgramOption), frontPath};
    args.insert(args.end(), params.begin(), params.end());
    return args;
}

void ExecWindowProgram(const std::string& frontPath, const std::vector<std::string>& args,
                       std::string& error) {
    std::string dir = mail::DirectoryOf(frontPath);
    if (dir.empty())
        dir = ".";
    const std::string program = dir + "/" + std::string(kWindowProgram);
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    error = program + ": " + std::strerror(errno);
}

std::string TakeFrontProgram(std::vector<std::string>& params) {
    if (params.size() < 2 || params[0] != kFrontProgramOption)
        return {};
    std::string front = params[1];
    params.erase(params.begin(), params.begin() + 2);
    return front;
}

std::optional<int> AnswerWithoutWindow(const CommandLine& cl, const EnvLookup& env,
                                       const std::string& programDir) {
    switch (cl.action) {
        case ProgramAction::Help:
            std::cout << UsageText();
            return 0;
        case ProgramAction::Version:
            std::cout << "varnel32 " << VARNEL_VERSION << "\n";
            return 0;
        case ProgramAction::Dump:
            return DumpFromCommandLine(cl, env, programDir);
        case ProgramAction::Error:
            std::cerr << "varnel32: " << cl.error << "\n" << UsageText();
            return 2;
        case ProgramAction::Window:
            break;
    }
    return std::nullopt;
}

}  // namespace varnel::app
