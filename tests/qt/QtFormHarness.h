// A real main window offscreen with its core TForm1: recording fakes stand for the
// outside (questions, the mailer's channel and windows, launched programs, file dialogs),
// Qt gives the rest.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/TForm1.h"
#include "fakes/Fakes.h"
#include "qt/HunspellSpeller.h"
#include "qt/QtClock.h"
#include "qt/QtMainWindow.h"
#include "qt/QtTestApp.h"
#include "qt/QtTimer.h"

namespace varnel::qt {

struct QtAppFirst {
    QtAppFirst() { EnsureQtApp(); }  // the window below needs the application
};

struct QtFormHarness : QtAppFirst {
    QtMainWindow window;
    fakes::ScriptedPrompter prompter;
    QtClock clock;
    fakes::RecordingChannel channel;
    fakes::RecordingWindows windows;
    fakes::RecordingLauncher launcher;
    fakes::ScriptedFileDialog dialogs;
    QtTimer t1, t2, t3;
    std::unique_ptr<app::TForm1> form;
    platform::Launcher* realLauncher = nullptr;  // set to start programs for real

    // Builds the core on the settings file with the given parameters, binds the window to
    // it and runs its first start-up phase. env answers nothing unless given.
    void StartForm(const std::vector<std::string>& params, const std::filesystem::path& ini,
                   std::function<std::string(const std::string&)> env = {},
                   platform::FindDialog* findDialog = nullptr,
                   platform::OptionsDialog* options = nullptr) {
        app::TForm1Setup setup;
        setup.commandLine = app::ParseCommandLine(params);
        setup.settingsPath = ini.string();
        setup.executablePath = "/usr/bin/varnel32";
        if (env)
            setup.env = std::move(env);
        else
            setup.env = [](const std::string&) { return std::string(); };
        form = std::make_unique<app::TForm1>(
            app::TForm1Services{window, prompter, clock, channel, t1, t2, t3, windows, windows,
                                realLauncher ? *realLauncher : launcher, window.EditorMetrics(),
                                window.EditorClipboard(), dialogs, window.Printer(),
                                window.PickList(), window.SpellWindow(), HunspellSpeller::Factory(),
                                findDialog, options},
            std::move(setup));
        window.Bind(form.get());
        form->ShowUp();
    }
};

}  // namespace varnel::qt
