// `--dump` of many small mails in one process: every file named on the command line is
// decoded and written as `varnel32 --dump` would, to standard output.
#include <iostream>
#include <sstream>

#include "app/IniFile.h"
#include "app/MailDump.h"
#include "app/SettingsLoader.h"
#include "fakes/Fakes.h"

int main(int argc, char** argv) {
    const varnel::app::Settings settings = varnel::app::LoadAllSettings(
        varnel::app::IniFile(), [](const std::string&) { return std::string(); }, "");
    const varnel::fakes::ManualClock clock;
    std::ostringstream err;
    int failed = 0;
    for (int i = 1; i < argc; ++i)
        failed += varnel::app::DumpMailFile(argv[i], settings, clock, std::cout, err);
    std::cerr << err.str();
    return failed == 0 ? 0 : 1;
}
