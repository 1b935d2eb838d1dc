// The fakes a TForm1 is built on in the window tests, and small file helpers.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include "app/TForm1.h"
#include "fakes/Fakes.h"

namespace varnel::testing {

struct FormFakes {
    fakes::RecordingView view;
    fakes::ScriptedPrompter prompter;
    fakes::ManualClock clock;
    fakes::RecordingChannel channel;
    fakes::ManualTimer timer1, timer2, timer3;
    fakes::RecordingWindows windows;
    fakes::RecordingLauncher launcher;

    app::TForm1Services Services() {
        return app::TForm1Services{view,   prompter, clock,   channel, timer1,
                                   timer2, timer3,   windows, windows, launcher};
    }
};

// Writes bytes to path, creating its directories.
inline void WriteBytes(const std::filesystem::path& p, const std::string& bytes) {
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << bytes;
}

}  // namespace varnel::testing
