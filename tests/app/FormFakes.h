// The fakes a TForm1 is built on in the window tests, and small file helpers.
#pragma once

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "TempDir.h"
#include "app/CommandLine.h"
#include "app/DisplayLines.h"
#include "app/TForm1.h"
#include "fakes/DialogFakes.h"
#include "fakes/EditorFakes.h"
#include "fakes/Fakes.h"
#include "fakes/ToolFakes.h"

namespace varnel::testing {

struct FormFakes {
    fakes::RecordingView view;
    fakes::ScriptedPrompter prompter;
    fakes::ManualClock clock;
    fakes::RecordingChannel channel;
    fakes::ManualTimer timer1, timer2, timer3;
    fakes::RecordingWindows windows;
    fakes::RecordingLauncher launcher;
    fakes::CellTextMetrics metrics;
    fakes::MemoryClipboard clipboard;
    fakes::ScriptedFileDialog dialogs;
    fakes::RecordingPrinter printer;
    fakes::RecordingPickList pickList;
    fakes::RecordingSpellWindow spellWindow;
    fakes::RecordingFindDialog findDialog;
    fakes::ScriptedOptionsDialog options;
    fakes::WordListSpeller* speller = nullptr;  // the speller of the running check
    std::set<std::string> knownWords;           // what the next check's speller knows
    app::TForm1* started = nullptr;             // the last window StartForm made

    app::TForm1Services Services() {
        return app::TForm1Services{view,
                                   prompter,
                                   clock,
                                   channel,
                                   timer1,
                                   timer2,
                                   timer3,
                                   windows,
                                   windows,
                                   launcher,
                                   metrics,
                                   clipboard,
                                   dialogs,
                                   printer,
                                   pickList,
                                   spellWindow,
                                   [this](std::string&) {
                                       auto s = std::make_unique<fakes::WordListSpeller>();
                                       s->known = knownWords;
                                       speller = s.get();
                                       return s;
                                   },
                                   &findDialog,
                                   &options};
    }

    // The lines the started window's editor shows (soft-wrapped pieces joined).
    std::vector<std::string> Shown() const { return app::ShownLines(started->SonEdit1().Lines()); }

    // A window built on these fakes from the given parameters and settings file, shown.
    std::unique_ptr<app::TForm1> StartForm(const std::vector<std::string>& params,
                                           const std::string& ini, const std::string& workDir,
                                           std::map<std::string, std::string> env = {}) {
        app::TForm1Setup setup;
        setup.commandLine = app::ParseCommandLine(params);
        setup.settingsPath = ini;
        setup.executablePath = "/usr/bin/varnel32";
        setup.workingDirectory = workDir;
        setup.env = [env = std::move(env)](const std::string& name) {
            const auto it = env.find(name);
            return it == env.end() ? std::string() : it->second;
        };
        auto form = std::make_unique<app::TForm1>(Services(), std::move(setup));
        started = form.get();
        form->ShowUp();
        return form;
    }
};

// Writes bytes to path, creating its directories.
inline void WriteBytes(const std::filesystem::path& p, const std::string& bytes) {
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << bytes;
}

// Runs f while every write beyond limit bytes fails, even for root.
template <class F>
auto UnderFileSizeLimit(rlim_t limit, F f) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit tiny = old;
    tiny.rlim_cur = limit;
    setrlimit(RLIMIT_FSIZE, &tiny);
    const auto result = f();
    setrlimit(RLIMIT_FSIZE, &old);
    return result;
}

}  // namespace varnel::testing
