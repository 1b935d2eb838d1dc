// Second start-up phase.
#include "app/SecondPhase.h"

#include <limits>

#include "app/SettingsLoader.h"
#include "app/TForm1.h"

namespace varnel::app {

InvocationCount CountInvocation(IniFile& ini) {
    InvocationCount c;
    c.previous = ini.ReadInteger("Window", "InvokeCount", 0);
    const int next = c.previous < std::numeric_limits<int>::max() ? c.previous + 1 : c.previous;
    c.written = ini.WriteInteger("Window", "InvokeCount", next);
    c.showInvitation = c.previous == 999;
    return c;
}

void TForm1::RunSecondPhase() {
    IniFile ini(setup_.settingsPath);
    // A mailer home found from the opened mail is kept by the mailer search.
    settings_.mailer.MailerHome = MailerHome;
    LoadSettingsPhase2(ini, settings_, setup_.env);
    MailerExe = settings_.mailer.MailerExe;
    MailerHome = settings_.mailer.MailerHome;
    TrashCanFile = settings_.mailer.TrashCanFile;
    SaveAsDir = settings_.location.SaveAsDir;
    io_.Timer3.SetInterval(settings_.edit.AutoSaveIntervalMs);
    findText_.clear();
    if (io_.findDialog)
        io_.findDialog->SetFindText("");
    BuildUserMenus();

    // A count that cannot be written is not worth a message here: the window placement
    // written at close reports a settings file that cannot be written.
    const InvocationCount count = CountInvocation(ini);
    settings_.window.InvokeCount = count.previous;
    if (count.showInvitation)
        io_.prompter.Tell(Say(kInvitation));

    deferred_.StartupPhase = false;
    NavigationDirection = +1;
    ShowSteppingMode();
    RefreshCommandStates();  // Header1's mark, Greek1's visibility and the rest
}

}  // namespace varnel::app
