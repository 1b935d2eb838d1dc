// The settings from inside the window: the options dialog, the settings file as text
// (DebugMode), and the input-method switch.
#include <filesystem>

#include "app/CommandTable.h"
#include "app/IniFile.h"
#include "app/OptionFields.h"
#include "app/SettingsLoader.h"
#include "app/TForm1.h"
#include "mail/MailNames.h"

namespace varnel::app {
namespace {

constexpr text::Message kOptionsNotSaved{"The options could not be saved: %s",
                                         "オプションを保存できませんでした: %s"};

}  // namespace

// The dialog edits the settings file (only the keys the user changed are written); then
// both load phases run on fresh settings and the window takes them at once.
void TForm1::Option1Click() {
    if (!io_.options)
        return;
    IniFile ini(setup_.settingsPath);
    const std::vector<platform::OptionField> before = ReadOptionFields(ini);
    std::vector<platform::OptionField> edited = before;
    if (io_.options->Edit(edited, settings_.view.EnglishMenu)) {
        const std::vector<SettingWrite> writes = ChangedOptions(before, edited);
        if (!writes.empty() && !ini.WriteStrings(writes)) {
            io_.prompter.Tell(kOptionsNotSaved.Format(settings_.view.EnglishMenu,
                                                      setup_.settingsPath + ": " + ini.LastError()),
                              platform::Severity::Error);
        }
    }
    ReloadSettings();
}

// Both phases on a fresh settings object; the mailer found before is kept, the text's
// modified flag stays as it was, and captions, keys, marks and the mode follow.
void TForm1::ReloadSettings() {
    const bool modified = sonEdit1_.Modified();
    settings_ = LoadAllSettings(IniFile(setup_.settingsPath), setup_.env, MailerHome);
    MailerExe = settings_.mailer.MailerExe;
    MailerHome = settings_.mailer.MailerHome;
    TrashCanFile = settings_.mailer.TrashCanFile;
    mailer_.SetEnglishMenu(settings_.view.EnglishMenu);
    driver_.SetEnglishMenu(settings_.view.EnglishMenu);
    io_.Timer1.SetInterval(settings_.view.Timer);
    io_.Timer3.SetInterval(settings_.edit.AutoSaveIntervalMs);
    ApplyMenuLanguage();
    AssignShortcuts();
    ApplyMode();
    if (sonEdit1_.Modified() != modified)
        sonEdit1_.SetModified(modified);
    RestartAutosave();
}

// The settings file as plain text in editor mode; saving it is an ordinary save. A
// file not made yet opens empty under its name, so the first save makes it.
void TForm1::Inifile1Click() {
    if (!CanLeaveCurrent())
        return;
    const std::string& path = setup_.settingsPath;
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) {
        if (!LoadPlainText(path))
            return;
    } else {
        CurrentMailFile = path;
        Neighbours = {};
        ForwardTail.reset();
        temporaryViewerColor_.reset();
        ShowText("", true);
    }
    sonEdit1_.ReadOnly = false;
    ApplyMode();
    AssignShortcuts();
    io_.view.SetTitle("Varnel32 - " + mail::FileNameOf(path));
}

// Linux cannot put an input method into a given mode: the setting and its mark are
// kept, and the input method stays as the user left it.
void TForm1::ImeMode1Click() {
    settings_.view.IMEcontrol = settings_.view.IMEcontrol >= 1 ? 0 : 1;
    io_.view.SetChecked("ImeMode1", settings_.view.IMEcontrol >= 1);
}

}  // namespace varnel::app
