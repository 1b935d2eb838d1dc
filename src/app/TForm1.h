// The main window's core: start-up in two phases, the deferred-action dispatcher, the
// viewer/editor mode, and closing. It reaches the window and the outside world only
// through the platform interfaces it is given.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/DeferredDispatcher.h"
#include "app/Environment.h"
#include "app/ModeAppearance.h"
#include "app/PendingMarkRead.h"
#include "app/Settings.h"
#include "editor/SonEdit2.h"
#include "link/KeystrokeSender.h"
#include "link/MailerDriver.h"
#include "link/MailerLink.h"
#include "mail/DateTimeMacro.h"
#include "mail/DecodeMail.h"
#include "mail/PrivateTempDir.h"
#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/CommandChannel.h"
#include "platform/CommandServer.h"
#include "platform/FileDialog.h"
#include "platform/FindDialog.h"
#include "platform/KeySink.h"
#include "platform/Launcher.h"
#include "platform/MainView.h"
#include "platform/OptionsDialog.h"
#include "platform/PickListView.h"
#include "platform/Printer.h"
#include "platform/Prompter.h"
#include "platform/SpellWindow.h"
#include "platform/Speller.h"
#include "platform/TextMetrics.h"
#include "platform/Timer.h"
#include "platform/WindowDirectory.h"
#include "store/MailStepping.h"
#include "store/ThreadNavigator.h"
#include "text/Message.h"
#include "tools/CharCommands.h"
#include "tools/TForm2.h"

namespace varnel::app {

// The outside world of the main window.
struct TForm1Services {
    platform::MainView& view;
    platform::Prompter& prompter;
    platform::Clock& clock;
    platform::CommandChannel& channel;
    platform::Timer& Timer1;             // deferred actions
    platform::Timer& Timer2;             // brings the window to the front once after start-up
    platform::Timer& Timer3;             // autosave
    platform::WindowDirectory& windows;  // the mailer's and the companion's windows
    platform::KeySink& keys;             // keystrokes to the window brought to the front
    platform::Launcher& launcher;
    platform::TextMetrics& metrics;      // the editor's font
    platform::Clipboard& clipboard;      // the editor's clipboard
    platform::FileDialog& dialogs;       // open and save-as dialogs
    platform::Printer& printer;          // the print channel and the printer font dialog
    platform::PickListView& pickList;    // ListBox1, the pick list of the Insert menu
    platform::SpellWindow& spellWindow;  // TForm2, the spell-check window
    platform::SpellerFactory makeSpeller;
    platform::FindDialog* findDialog = nullptr;  // the find and replace dialog
    platform::OptionsDialog* options = nullptr;  // the options dialog
};

// Where the program's own files are, and the process environment it consults.
struct TForm1Setup {
    CommandLine commandLine;
    std::string settingsPath;      // the settings file (it need not exist)
    std::string executablePath;    // the running program
    std::string workingDirectory;  // relative file names are taken from here
    EnvLookup env;                 // PELKHOME, HOME, XDG directories
};

class TForm1 : public DeferredActions {
  public:
    TForm1(TForm1Services services, TForm1Setup setup);
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    // First start-up phase, run once when the window is shown: placement and the first
    // settings, the command line, the first open; arms Timer1 for the second phase.
    void ShowUp();

    // Opens a mail or a draft and shows it (see OpenMailFile.cpp).
    void OpenMailFile(const std::string& path);
    // Files dropped on the window ("|" between names): the first is shown as plain
    // text once the shown text may be left (FileDrop.cpp).
    void FileDropped(const std::string& dropFiles);
    // Applies the viewer or editor appearance and the title.
    void ApplyMode();

    // Commands (rows of the command table).
    void FileExitClick();
    void ViewerMode1Click();
    // The header toggle and the Decode commands (MailViewCommands.cpp).
    void Header1Click();
    void Decode1Click();
    void DecodeZenkaku1Click();
    // Character conversions, the pick list, line cuts, printing and the spelling check
    // (TextToolCommands.cpp).
    void ZenkakuHankaku1Click();
    void CaseChange1Click();
    void OldTypeface1Click();
    void InsertChar1Click();
    void KanaKanji1Click();
    void Greek1Click();
    void EuropeanChar1Click();
    void ListBox1Click(int index, bool shift, bool ctrl);
    void CutLine1Click();
    void CutRight1Click();
    void CutLeft1Click();
    void Print1Click();
    void PrintFont1Click();
    void SpellCheck1Click();
    // The spelling check of this window; its window reports to it.
    tools::TForm2& Form2() { return form2_; }
    void Europeanfont1Click();

    // The close query: true when the window may close.
    bool FormCloseQuery();
    // The window closes: placement and the save-as directory are written.
    void FormClose();

    // Timer handlers.
    void OnTimer1();
    // Writes the held mark-read rewrite of the shown mail, if any: on the Timer1 tick
    // after the open (so the first paint does not wait for it), and at once before
    // another open, a write of the mail or the window's end.
    // At the program's end without a close (a signal), failure goes to stderr, not to a
    // dialog nobody would answer.
    void WritePendingMarkRead(bool askless = false);
    void OnTimer2();
    void OnTimer3();

    // DeferredActions.
    void SendPendingKeys(const std::string& keys) override;
    void SendFocusCommand() override;
    void SendReplyCommand() override;
    void MarkShownMailRead() override;
    void SendUpdateCommand() override;
    void RunSecondPhase() override;
    void RunAddressBookStep() override;
    void SendFolderCommandFor(const std::string& mailFile) override;
    int NextMailMode() const override { return settings_.view.NextMailMode; }

    // Working files (WorkingFiles.cpp). Save1Click and SaveAs1Click leave their result
    // in SaveSucceeded.
    void New1Click();
    void FileOpenClick();
    void Open2Click();
    void Save1Click();
    void SaveAs1Click();
    void TempFile1Click();
    void Deletetempfiles2Click();
    // Writes the editor text to path and restarts the autosave timer; a failure is
    // reported and leaves the text modified.
    bool WriteFile(const std::string& path);
    // True when the shown text may be replaced: an unmodified text, or the user's answer
    // to the save question (Yes saves and counts only when the save succeeded).
    bool CanLeaveCurrent();

    // Writing a reply. Text commands (TextCommands.cpp): each edits the affected
    // paragraphs as one undoable edit.
    void Quote1Click();
    void Quote2Click();
    void Comment1Click();
    void Unquote1Click();
    void Justify1Click();  // the reformat
    void QEncode1Click();
    void PasteWithquotation1Click();
    // Reply-side commands (ReplyCommands.cpp).
    void Reply1Click();
    void ReplyAllClick();
    void ReplyLater1Click();
    void Forward1Click();
    void Addressbook1Click();
    // The entry-th reply-status entry of the settings (packed, from 0).
    void ReplyStatusClick(int entry);
    // Send Mail (SendCommand.cpp).
    void SaveandQuit1Click();
    // A key the editor received (virtual key, modifier byte): runs the command configured
    // for it and returns true, or returns false for the editor to handle it.
    bool RunShortcut(std::uint16_t key, std::uint8_t shift);
    // Edit commands (EditCommands.cpp): Cut and Paste act in editor mode only.
    void Undo2Click();
    void Redo1Click();
    void Cut1Click();
    void Copy1Click();
    void Paste1Click();
    void SelectAll1Click();
    // Gives every command its keys from the key settings and the mode (Shortcuts.h).
    void AssignShortcuts();
    // Find and replace (FindCommands.cpp).
    void Find1Click();
    void FindNext1Click();
    void Replace1Click();
    // Settings from the window (SettingsCommands.cpp).
    void Option1Click();
    void Inifile1Click();
    void ImeMode1Click();
    // Events of the editor control on screen (EditorEvents.cpp). A handler takes a key
    // by setting it to 0.
    void SonEdit1KeyDown(std::uint16_t& key, std::uint8_t shift);
    void SonEdit1MouseUp(int x, int y);
    void SonEdit1DblClick();
    void SonEdit1ContextMenu(int x, int y);

    // Mailer commands (MailerCommands.cpp).
    void Next2Click();
    void Prev2Click();
    void Top1Click();
    void End1Click();
    void Thread1Click();
    void CloseThread1Click();
    void Find2Click();
    void NextFolder1Click();
    void PreviousFolder1Click();
    void Receive1Click();
    void Realize1Click();
    void Focus1Click();
    void Pilvo1Search1Click();
    // Links and outside programs (LinkCommands.cpp). LaunchProgram starts the command
    // (split by shell-like quoting) with args appended, never through a shell; a failure
    // is reported.
    bool LaunchProgram(const std::string& command, const std::vector<std::string>& args);
    void OpenLink(const std::string& link);
    void Webbrowser1Click();  // also the double click on the text
    void MailTo2Click();
    void About1Click();  // the version
    // The help page, the author's address and web page, Open File (HelpCommands.cpp).
    void Contents1Click();
    void MailtoAuthor1Click();
    void VarnelWebPage1Click();
    void OpenFile1Click();
    // The forward-draft tools, each one undoable edit in editor mode, and the shown
    // mail's file as stored (DraftToolCommands.cpp).
    void DeleteFwdHeader1Click();
    void SimpleMultiPart1Click();
    void DeleteHTML1Click();
    void ShowAll1Click();
    // HTML parts and attachments (AttachmentCommands.cpp).
    void HtmlMail1Click();
    void OpenAttachedFile1Click();  // acts only on summary lines the decoder wrote
    void DecodeNumberPart1Click();  // "Show with Browser"

    // The menus and the tool bar (WindowMenus.cpp, UserMenuCommands.cpp). Every item,
    // button and check mark is set from the command table and the window's state.
    void RefreshCommandStates();
    // The reply-status, command and insertion entries of the settings: captions,
    // visibility and keys.
    void BuildUserMenus();
    void AssignUserMenuShortcuts(bool plainKeysActive);
    void ReplyStatus1Click() { ReplyStatusClick(0); }
    void ReplyStatus2Click() { ReplyStatusClick(1); }
    void ReplyStatus3Click() { ReplyStatusClick(2); }
    void ReplyStatus4Click() { ReplyStatusClick(3); }
    void ReplyStatus5Click() { ReplyStatusClick(4); }
    void Command1Click() { RunUserCommand(0); }
    void Command2Click() { RunUserCommand(1); }
    void Command3Click() { RunUserCommand(2); }
    void Command4Click() { RunUserCommand(3); }
    void Command5Click() { RunUserCommand(4); }
    void Command6Click() { RunUserCommand(5); }
    // The index-th user command (packed, from 0) on the shown mail.
    void RunUserCommand(int index);
    void Insert1Click() { InsertUserText(0); }
    void Insert2Click() { InsertUserText(1); }
    void Insert3Click() { InsertUserText(2); }
    void Insert4Click() { InsertUserText(3); }
    void Insert5Click() { InsertUserText(4); }
    // The index-th insertion entry's text at the caret, in editor mode.
    void InsertUserText(int index);
    void Delete2Click();
    void WordWrap1Click();
    void Boxselectionmode1Click();
    // The yellow arrows: history back and ahead, or page up and down.
    void PageUp3Click();
    void PageDown3Click();
    // The font of the shown text has the Western character set.
    bool EuropeanFontOn() const { return europeanFontOn_; }

    // Stepping past a folder's last mail with NextFolderAtEnd on.
    void StepToNextFolder();

    // Navigation (NavigationCommands.cpp): stepping by the stepping mode, new mail,
    // deletion, the file history, threads and the sorting-rule commands. Every path
    // that replaces the shown mail asks CanLeaveCurrent first.
    void Next1Click();
    void Prev1Click();
    void Nextnew2Click();
    void PrevNew2Click();
    void Nextnew3Click();
    void PrevNew3Click();
    void Delete1Click();
    void FileHistoryBack();
    void FileHistoryAhead();
    void NumberSearch1Click();
    void PelkSearch1Click();
    void ThreadSearch1Click();
    void ThreadDown1Click();
    void ThreadUp1Click();
    void ThreadBase1Click();
    void NewThread1Click();
    void SubjectSearch1Click();
    void ToFolder1Click();
    void ToFolder2Click();
    // Paging: the menu's page commands step to the next or previous mail at the text's
    // ends when NextMailAtEnd is on; of the paging keys two always step, two never.
    void PageDown1Click();
    void PageUp1Click();
    void PageDownNextClick();
    void PageUpPrevClick();
    void PageDownClick();
    void PageUpClick();
    void LineUp1Click();
    void LineDown1Click();
    // Scrolls by n lines (clamped to the text); with stepAtEnd a step down made while the
    // text's end was in view, or up at the top, goes to the next or previous mail.
    void ScrollLines(int n, bool stepAtEnd);
    // The editor's key-down (and, in viewer mode, its Backspace and Delete): runs the
    // paging key configured for it and returns true.
    bool HandleKey(std::uint16_t key, std::uint8_t shift);
    // Plain and Shift keys act as commands: viewer mode, no find or replace dialog open.
    bool PlainKeysActive() const;
    // Records the mail on screen in the file history (YellowArrowHistory on).
    void RecordInHistory();
    // Asks the mailer to bring a folder index file up to date before it is read.
    void RequestFolderUpdate(const std::string& indexFile);
    // Adds a sorting rule for the shown mail's sender to the folder definition file.
    void AddFolderRule(const std::string& folder);
    // The four stepping-mode check marks follow NextMailMode.
    void ShowSteppingMode();
    // Names of the next and previous mail of the mail on screen, set at each open.
    store::NeighbourCache Neighbours;
    const store::FileHistory& History() const { return history_; }
    const store::ThreadNavigator& Threads() const { return thread_; }

    // An execute on the window's server conversation: accepted when it is an open
    // request this window takes (a compose window takes none); the mail is opened
    // after the answer has gone back, by ServePendingOpen. A request that arrives while
    // another still waits replaces it.
    platform::ExecuteResult OnServerExecute(const std::string& macro);
    // Opens the waiting requested mail, and the next one that arrives meanwhile, until
    // none waits. Called again while it runs (from a dialog's loop) it does nothing: the
    // running call takes the new request when the current open is done.
    void ServePendingOpen();
    // Opens a mail the mailer asked for.
    void DdeOpenMail(const std::string& path);
    // The next open request was asked for by a view request that already had the
    // user's consent to leave the current text.
    bool OpenRequested = false;

    // Queues a Move or Copy of mailFile for the mailer ("" target = the trash).
    void QueueFolderNotice(const std::string& kind, const std::string& mailFile,
                           const std::string& target = {});
    // Sends the folder command for PendingFocusFile now.
    void SendFolderCommand();

    // Window-level state.
    std::string CurrentMailFile;  // real case; empty when untitled
    std::string MailerExe;
    std::string MailerHome;  // ends in "/"; empty until known
    std::string TrashCanFile;
    std::string OpenPrefix;
    bool EditSwitchGiven = true;
    bool HomeReadOnly = true;
    bool CloseWithoutAsking = false;
    bool SaveSucceeded = true;
    int NavigationDirection = 0;
    // The last save-as directory; unknown until the second phase has read it.
    std::optional<std::string> SaveAsDir;

    // Per-mail state, set by every open (OpenMailFile.cpp).
    bool RecipientOverride = false;  // the next open shows recipients beyond MaxTo
    bool ShowRecipientsNow = true;
    bool RepliedFlag = false;
    bool AddressedToMe = false;
    int DispositionPending = 0;
    int MailNumber = 0;
    std::size_t HeaderLineCount = 0;  // display lines before the body
    std::size_t DraftCaretLine = 0;   // where the caret goes in a loaded draft
    // The forwarded mail's attachments of a forward draft, copied after the text when it
    // is sent; dropped by the next open.
    std::optional<std::string> ForwardTail;

    DeferredState& Deferred() { return deferred_; }
    const DeferredState& Deferred() const { return deferred_; }
    // The editor control, SonEdit1. Its line store is the one shown text: commands read
    // and change the text, caret, selection, Modified and ReadOnly through it.
    editor::TSonEdit2& SonEdit1() { return sonEdit1_; }
    const editor::TSonEdit2& SonEdit1() const { return sonEdit1_; }
    const Settings& CurrentSettings() const { return settings_; }

  private:
    ModeOptions CurrentModeOptions() const;
    void ApplyPlacement();
    void ApplyMenuLanguage();
    void StartOnFile(std::string name);
    void CarryOut(const mail::MailerRequests& requests, bool& updateSent);
    void ExpandDateTimeMacro(const mail::MacroEdit& edit);
    std::string Say(const text::Message& m) const { return m.Pick(settings_.view.EnglishMenu); }
    void RunMailerStep(link::MailerCommand command);
    void QueueKeys(const std::string& keys);
    void RunDecode(bool zenkaku);
    void SetupEditor();
    // Replaces the editor text as a load does (not modified, journals empty) and shows it.
    void ShowText(std::string_view text, bool isFile);
    // The same for lines moved into the editor (see TSonEdit::SetLines).
    void ShowText(std::vector<std::string>&& lines, bool finalLineEnd, bool isFile);
    bool SaveAsFrom(const std::string& startDir);
    // Timer3 runs in editor mode while the text is modified and AutoSave is on.
    void RestartAutosave();
    enum class TextCommand { Reformat, Quote, Quote2, Comment, Unquote, QEncode };
    void ApplyTextCommand(TextCommand kind);
    void ApplyDraftTool(const std::function<void(std::vector<std::string>&)>& tool);
    void OpenInBrowser(const std::string& url);
    void WriteShownStatus(const std::string& statusLine);
    void RequestReply();
    // The machine-dependent character check on the editor text; true when it stopped.
    bool CheckDependentChars();
    // Where an autosave of the shown text goes; empty for none.
    std::string AutosavePath() const;
    // Shows a file as plain text (open, drop, temporary file); false when it cannot be
    // read, which is reported and leaves the shown text as it was.
    bool LoadPlainText(const std::string& path);
    // The editor events of the core (SetupEditor).
    void OnChangeModify(bool modified);
    void OnChangeRedoMode(bool redo);
    // Navigation helpers (NavigationCommands.cpp).
    void ShowNavigated(const std::string& file, bool threadMove);
    void FinishThreadStep(const store::ThreadStep& step, const store::ThreadNavigator& before);
    void ReturnToViewing();
    void ClearShownText();
    std::string SelectedText();
    std::optional<std::string> ClipboardText();
    void ShowHistoryButtons();
    void ReportIndexDamage(const std::string& damage);
    store::ThreadSettings CurrentThreadSettings() const;
    void PageBy(bool down, bool stepAtEnd);
    void SetupFind();
    void OpenFindDialog(platform::FindDialog::Kind kind);
    void FindDialogClosed();
    void Search(const std::string& find, platform::FindOptions options);
    void ReplaceOne(const std::string& find, const std::string& with,
                    platform::FindOptions options);
    void ReplaceAll(const std::string& find, const std::string& with,
                    platform::FindOptions options);
    void ReloadSettings();
    // A side file: the user's copy in the config directory, else the installed one.
    std::string SideFile(std::string_view name) const;
    void SaveSpellWindow(const tools::SpellWindowState& state);
    // Ends a running spelling check: it belongs to the text now being replaced.
    void EndSpellCheck();

    TForm1Services io_;
    TForm1Setup setup_;
    Settings settings_;
    link::MailerLink mailer_;
    link::MailerDriver driver_;
    link::KeystrokeSender keySender_;
    DeferredState deferred_;
    DeferredDispatcher dispatcher_;
    editor::TSonEdit2 sonEdit1_;
    // The editor holds the file's own text (a draft or a plain-text file), not a decoded
    // view of it: only then may Save write it back under CurrentMailFile.
    bool textIsFile_ = false;
    // The menu's check mark, and the font of the shown text: a Yes to the offer of the
    // European font sets only the second, for that one mail.
    bool europeanFontChecked_ = false;
    bool europeanFontOn_ = false;
    std::optional<platform::StoredColor> temporaryViewerColor_;
    // Made on the first Decode command and kept to the end, so "_varnel.jis" is still
    // there for the viewer and is removed when the window goes.
    std::unique_ptr<mail::PrivateTempDir> privateDir_;
    // The private directory, made on first use; nullptr (reported) when it cannot be.
    const mail::PrivateTempDir* PrivateDir();
    // A file for the browser: WebBrowserPath, else the desktop's handler.
    void ShowInBrowser(const std::string& path);
    // command (a setting) with a file as its last argument, never through a shell.
    void StartWithFile(const std::string& command, const std::string& path);
    // A file (a native path) to the desktop's handler, after the dangerous-file question.
    void OpenWithDesktop(const std::string& path);
    bool SaveAttachment(std::size_t ordinal, const std::string& file);
    // The summary lines the decoder wrote for the shown mail (cleared whenever the text
    // is replaced), and whether that mail is multipart/related.
    std::vector<mail::AttachmentRecord> shownAttachments_;
    bool shownRelated_ = false;
    // The open request waiting to be served, and whether one is being served.
    std::optional<std::string> pendingOpen_;
    bool servingOpen_ = false;
    // Failed writes already reported (path and reason), each told only once.
    std::set<std::string> reportedWriteFailures_;
    PendingMarkRead pendingMarkRead_;
    // Navigation state: the thread walk, the file history, and whether the open in
    // progress is a thread move (which keeps the walk).
    store::ThreadNavigator thread_;
    store::FileHistory history_;
    bool threadMoveOpen_ = false;
    std::vector<std::string> reportedDamage_;
    tools::CharPicker picker_;
    bool findDialogOpen_ = false;
    bool replaceDialogOpen_ = false;
    // The find text, its match-case option, and the text the editor's search runs on.
    std::string findText_;
    bool matchCase_ = false;
    std::string searchedText_;
    tools::TForm2 form2_;
};

}  // namespace varnel::app
