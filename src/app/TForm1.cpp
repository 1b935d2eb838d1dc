// Main window core: construction, the first start-up phase, timers, the viewer/editor
// mode and closing. Opening a mail is in OpenMailFile.cpp, the second start-up phase in
// SecondPhase.cpp.
#include "app/TForm1.h"

#include <utility>

#include "app/CloseFlow.h"
#include "app/CommandTable.h"
#include "app/IniFile.h"
#include "app/MailerLocator.h"
#include "app/SettingsLoader.h"
#include "app/StartFile.h"
#include "mail/MailNames.h"

namespace varnel::app {
namespace {

constexpr int kTimer2Interval = 800;
constexpr int kTimer3DesignInterval = 300000;

constexpr text::Message kPreparing{"Pelk is now preparing mail ....",
                                   "ペルクがファイルを作成しています"};
constexpr text::Message kSettingsNotSaved{"The window settings could not be saved: %s",
                                          "ウィンドウの設定を保存できませんでした: %s"};
}  // namespace

TForm1::TForm1(TForm1Services services, TForm1Setup setup)
    : io_(services),
      setup_(std::move(setup)),
      mailer_(io_.channel, io_.prompter, settings_.view.EnglishMenu),
      driver_(io_.windows, mailer_, io_.prompter, settings_.view.EnglishMenu),
      keySender_(io_.keys, io_.prompter),
      dispatcher_(deferred_, io_.Timer1, *this),
      sonEdit1_(io_.metrics, io_.clipboard, io_.prompter),
      thread_({}, [this](const std::string& indexFile) { RequestFolderUpdate(indexFile); }),
      picker_(io_.pickList),
      form2_({io_.spellWindow, io_.prompter, io_.makeSpeller,
              [this](const tools::SpellWindowState& s) { SaveSpellWindow(s); }}) {
    SetupEditor();
    io_.Timer1.SetEnabled(false);
    io_.Timer1.onTick = [this] { OnTimer1(); };
    io_.Timer2.SetInterval(kTimer2Interval);
    io_.Timer2.onTick = [this] { OnTimer2(); };
    io_.Timer2.SetEnabled(true);
    io_.Timer3.SetInterval(kTimer3DesignInterval);
    io_.Timer3.onTick = [this] { OnTimer3(); };
    io_.Timer3.SetEnabled(false);
}

// The values stored for the main window's instance of the editor control, and the
// editor events the window follows.
void TForm1::SetupEditor() {
    editor::TSonEdit2& e = sonEdit1_;
    e.ApplyMainWindowDefaults();
    e.SetTopMargin(11);
    e.SetLeftMargin(6);
    e.SetTabCount(4);
    e.SetLineSpace(0);
    e.SetAutoWrap(true);
    e.SetColumn(40);
    e.ReadOnly = true;
    e.OnChangeModify = [this](bool modified) { OnChangeModify(modified); };
    e.OnChangeRedoMode = [this](bool redo) { OnChangeRedoMode(redo); };
    // In viewer mode Backspace and Delete are keys of the window, not edits.
    e.OnBackSpaceKey = [this] {
        std::uint16_t key = editor::vk::kBack;
        SonEdit1KeyDown(key, editor::kShiftNone);
    };
    e.OnDeleteKey = [this] {
        std::uint16_t key = editor::vk::kDelete;
        SonEdit1KeyDown(key, editor::kShiftNone);
    };
    SetupFind();
}

void TForm1::ShowUp() {
    CloseWithoutAsking = false;
    europeanFontOn_ = false;

    {
        const IniFile ini(setup_.settingsPath);
        LoadSettingsPhase1(ini, settings_);
    }
    mailer_.SetEnglishMenu(settings_.view.EnglishMenu);
    driver_.SetEnglishMenu(settings_.view.EnglishMenu);
    ApplyPlacement();
    io_.Timer1.SetInterval(settings_.view.Timer);
    deferred_.StartupPhase = true;
    io_.Timer1.SetEnabled(true);
    history_ = store::FileHistory(settings_.view.FileHistoryMax);
    ShowHistoryButtons();

    const CommandLine& cl = setup_.commandLine;
    EditSwitchGiven = cl.EditSwitchGiven;
    StartOnFile(AbsoluteStartPath(cl.fileName, setup_.workingDirectory));

    ApplyMenuLanguage();
    AssignShortcuts();
    OnChangeModify(sonEdit1_.Modified());
    OnChangeRedoMode(sonEdit1_.RedoMode());
}

// Start-up steps on the file named on the command line: classification, icon, width of
// a compose window, the wait for the mailer, the mailer home, and the first open.
void TForm1::StartOnFile(std::string name) {
    const StartFile start = ClassifyStartFile(name, settings_.view.ReplyConfirm);
    io_.view.SetIcon(StartIcon(setup_.commandLine.editIcon, start.compose, setup_.executablePath));
    OpenPrefix = start.OpenPrefix;
    if (start.compose) {
        platform::WindowPlacement p = io_.view.Placement();
        if (settings_.window.EditWidth > 0)
            p.width = settings_.window.EditWidth;
        io_.view.SetPlacement(p);
    }
    if (name.empty()) {
        ApplyMode();
        return;
    }
    if (start.waitForMailer)
        io_.prompter.Tell(Say(kPreparing));
    if (MailerHome.empty())
        MailerHome = MailerHomeFromMailFile(name);
    OpenMailFile(name);
    RecordInHistory();
}

// Stored placement; a missing key (or a size that would make the window vanish) keeps
// the window's current value.
void TForm1::ApplyPlacement() {
    platform::WindowPlacement p = io_.view.Placement();
    const WindowSettings& w = settings_.window;
    p.left = w.Left.value_or(p.left);
    p.top = w.Top.value_or(p.top);
    if (w.Width && *w.Width > 0)
        p.width = *w.Width;
    if (w.Height && *w.Height > 0)
        p.height = *w.Height;
    io_.view.SetPlacement(p);
}

void TForm1::ApplyMenuLanguage() {
    const bool english = settings_.view.EnglishMenu;
    for (const MenuSpec& m : Menus())
        io_.view.SetCaption(m.name, m.caption.Pick(english));
    for (const CommandSpec& c : Commands())
        io_.view.SetCaption(c.name, c.caption.Pick(english));
    BuildUserMenus();  // their captions come from the settings
}

ModeOptions TForm1::CurrentModeOptions() const {
    const ViewSettings& v = settings_.view;
    ModeOptions o;
    o.ViewerColor = static_cast<platform::StoredColor>(v.ViewerColor);
    o.EditorColor = static_cast<platform::StoredColor>(v.EditorColor);
    o.ViewerFontColor = static_cast<platform::StoredColor>(v.ViewerFontColor);
    o.EditorFontColor = static_cast<platform::StoredColor>(v.EditorFontColor);
    o.ViewerFontName = v.ViewerFontName;
    o.EditorFontName = v.EditorFontName;
    o.EuropeanFontName = v.EuropeanFontName;
    o.ViewerFontSize = v.ViewerFontSize;
    o.EditorFontSize = v.EditorFontSize;
    o.EuropeanFontSize = v.EuropeanFontSize;
    o.Ruler = v.Ruler;
    o.RulerCaption = v.RulerCaption;
    o.HideButton = v.HideButton;
    o.WordWrap = v.WordWrap;
    return o;
}

void TForm1::ApplyMode() {
    ModeState state;
    state.readOnly = sonEdit1_.ReadOnly;
    state.europeanFont = europeanFontOn_;
    state.temporaryViewerColor = temporaryViewerColor_;
    sonEdit1_.SetSingleByteMode(europeanFontOn_);
    io_.view.ApplyAppearance(ComputeAppearance(CurrentModeOptions(), state));
    io_.view.SetTitle(WindowTitle(CurrentMailFile));
    HomeReadOnly = sonEdit1_.ReadOnly;
    io_.view.SetChecked("ViewerMode1", sonEdit1_.ReadOnly);
    io_.view.SetChecked("Header1", settings_.view.Header);
    io_.view.SetChecked("ImeMode1", settings_.view.IMEcontrol >= 1);
    ShowSteppingMode();
    RefreshCommandStates();
}

void TForm1::ViewerMode1Click() {
    sonEdit1_.ReadOnly = !sonEdit1_.ReadOnly;
    RestartAutosave();
    temporaryViewerColor_.reset();
    ApplyMode();
    AssignShortcuts();  // plain-key shortcuts exist only in viewer mode
}

void TForm1::FileExitClick() {
    io_.view.Close();
}

bool TForm1::FormCloseQuery() {
    const bool allowed = CloseQuery(
        {CloseWithoutAsking, sonEdit1_.Modified(), CurrentMailFile, settings_.view.EnglishMenu},
        io_.prompter, [this] {
            Save1Click();
            return SaveSucceeded;
        });
    // Seam: when the close is allowed, an open forward tail is closed here.
    return allowed;
}

void TForm1::FormClose() {
    WritePendingMarkRead();
    IniFile ini(setup_.settingsPath);
    if (!ini.WriteStrings(
            ClosingWrites(io_.view.State(), io_.view.Placement(), CurrentMailFile, SaveAsDir))) {
        io_.prompter.Tell(kSettingsNotSaved.Format(settings_.view.EnglishMenu,
                                                   setup_.settingsPath + ": " + ini.LastError()),
                          platform::Severity::Warning);
    }
}

void TForm1::OnTimer1() {
    WritePendingMarkRead();
    dispatcher_.OnTimer1();
}

void TForm1::OnTimer2() {
    io_.view.BringToFront();
    io_.Timer2.SetEnabled(false);
}

// Focus and update are quiet: when the mailer is not running nothing happens, and the
// next occasion sends them again. Nothing is sent for a file that is no mail file.
void TForm1::SendFocusCommand() {
    mailer_.Focus(CurrentMailFile);
}

void TForm1::SendReplyCommand() {
    if (mailer_.Reply(CurrentMailFile))  // the reply, then its update command
        io_.Timer1.SetEnabled(true);
}

void TForm1::SendUpdateCommand() {
    if (mailer_.Update(CurrentMailFile))
        io_.Timer1.SetEnabled(true);  // a focus command follows on the next tick
}

}  // namespace varnel::app
