// varnel32 entry point: checks the command line, answers --help, --version and --dump
// itself (no window toolkit is loaded), and for the window hands the process over to
// varnel32-window beside it.
#include <iostream>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/Environment.h"
#include "app/ProgramStart.h"
#include "mail/MailNames.h"

int main(int argc, char** argv) {
    using namespace varnel;
    const std::vector<std::string> params = app::ParamsOf(argc, argv);
    // A bad option prints the usage wherever it is given, with or without a display.
    const app::CommandLine cl = app::ParseCommandLine(app::WithoutToolkitOptions(params));
    const std::string self = app::RunningExecutablePath(argc > 0 ? argv[0] : nullptr);
    if (const auto status =
            app::AnswerWithoutWindow(cl, app::ProcessEnvironment(), mail::DirectoryOf(self)))
        return *status;
    std::string error;
    app::ExecWindowProgram(
        self, app::WindowProgramArgs(argc > 0 ? argv[0] : "varnel32", self, params), error);
    std::cerr << "varnel32: the window program cannot be started: " << error << "\n";
    return 127;
}
