// Every user setting of the program, one field per key of the settings file, grouped by
// section, plus the values derived from them at load time (mailer paths, intervals).
//
// A default-constructed Settings holds exactly what loading an empty settings file gives:
// string fields that the loader post-processes hold their processed default ("," for
// HeaderList, "> " for Quote, the spaced form of AvoidBeginChar, ...). Strings are CP932
// bytes. Colours are 0x00BBGGRR integers (0xFF0000nn = system colour). Key codes are
// virtual-key codes in the low byte and the modifier in the high byte (1 Shift, 2 Ctrl,
// 4 Alt, summed); 0 means no key.
//
// Modules do not take Settings itself: their owners copy the fields they need into the
// module's own option struct.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace varnel::app {

// Caption of the ruler label above the editor (LineNum shifts it by six blanks).
inline constexpr const char* kRulerCaption =
    "----+----1----+----2----+----3----+----4----+----5----+----6----+----7----+----8----+----"
    "9----+----A----+----B----+----C----+----D";

// Section "Window".
struct WindowSettings {
    // Placement; empty when absent, meaning "keep the window's current value".
    std::optional<int> Left, Top, Width, Height;
    int EditWidth = 400;  // width for compose files
    int InvokeCount = 0;  // start counter (phase 2)

    bool operator==(const WindowSettings&) const = default;
};

// Section "View".
struct ViewSettings {
    std::string Greeting1, Greeting2, Greeting3;
    bool ListRecipients = true;
    // Minutes; applied only when greater than 0, so the default disables it.
    int MinutesToCorrect = -120;
    bool NotifyDispositionMode = false;
    std::string MailingList;  // lower-cased; empty default matches nothing
    std::string MyAddresses;  // lower-cased
    bool NoRfc822 = false;
    bool NoFwdHTML = false;
    int TopMargin = 4;
    int LeftMargin = 6;
    int LineSpace = 10;
    int TabCount = 4;
    bool ShowCR = true, ShowDblSpace = true, ShowEOF = true, ShowTab = true;
    int CrEofColor = 8421376;  // teal
    bool FixAddress = false;
    std::string ForwardHeader;  // lower-cased
    std::string DeleteHeader;
    bool WordWrap = false;
    bool ReplyConfirm = false;
    int Ruler = 0;  // 0 editor only, 1 both modes, negative never
    bool ShowTo = true;
    int MaxTo = 10;
    // Largest file the window opens, in MB (a window needs many times the file's size);
    // not positive means the default. --dump streams and has no limit.
    int MaxOpenSize = 256;
    int IMEcontrol = 1;
    bool EnglishMenu = false;
    int TabToSpace = 4;
    bool Header = false;
    std::string HeaderList = ",";  // "," + the lower-cased value
    int AutoReformat = 0;
    bool HideButton = false;
    std::string FontName = "\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e";  // ＭＳ ゴシック
    int FontSize = 14;
    std::string EditorFontName = FontName;
    int EditorFontSize = FontSize;  // 14 when the name is "FixedSys"
    std::string ViewerFontName = FontName;
    int ViewerFontSize = FontSize;  // 14 when the name is "FixedSys"
    int NextMailMode = 0;           // 0 by number, 1 mailer, 2 second companion, -1 thread
    std::string QuoteChar = ">|:# -=";
    std::string EndCharZenkaku = "\x81\x42\x81\x44\x81\x48\x81\x47\x81\x6a";  // 。．？；）
    std::string EndCharHankaku = ".;)!?";
    int MaxLength = 64;
    int QuoteFontColor = 32768;    // green
    int SubjectFontColor = 32768;  // green
    int DateFontColor = 32896;     // olive
    int FromFontColor = 255;       // red
    int UlineColor = 16711935;     // fuchsia
    bool UnderLine = false;
    bool LineNum = false;
    bool FixCursor = false;
    std::string QuoteStr = ">|\x81\x84\x81\x62";  // >|＞｜
    int UrlFontColor = 16711680;                  // blue
    int SelColor = 0;
    int ViewerColor = 12632256;   // silver
    int EditorColor = -16777211;  // system window background
    int ViewerFontColor = 0;
    int EditorFontColor = 0;
    // Deferred-action timer interval in ms, clamped to [kTimerMinMs, kTimerMaxMs].
    int Timer = 400;

    // Phase 2.
    bool X0208_Alarm = false;
    std::string EuropeanFontName = "Courier New";
    int EuropeanFontSize = ViewerFontSize;  // defaults to the viewer size
    bool DeleteTab = true;
    // Line-break characters in the searched form: every double-byte character is
    // followed by one blank, single-byte characters stand alone.
    // 　．，。、・？！）〕］｝〉》」』】
    std::string AvoidBeginChar =
        "\x81\x40 \x81\x44 \x81\x43 \x81\x42 \x81\x41 \x81\x45 \x81\x48 \x81\x49 \x81\x6a "
        "\x81\x6c \x81\x6e \x81\x70 \x81\x72 \x81\x74 \x81\x76 \x81\x78 \x81\x7a ";
    // （〔［｛〈《「『【
    std::string AvoidEndChar =
        "\x81\x69 \x81\x6b \x81\x6d \x81\x6f \x81\x71 \x81\x73 \x81\x75 \x81\x77 \x81\x79 ";
    bool DebugMode = false;
    std::string DontExecuteExt = ".exe.bat.com.scr.pif.js.jse.vbe.vbs.wsf.xlm";  // lower-cased
    bool YellowArrowHistory = true;
    bool NewThreadAtEnd = false, NewMailAtEnd = false, ThreadBySubject = false;
    bool ThreadSwitchFolder = true;
    int ThreadAllowTimeError = 0;         // minutes, as read
    int ThreadAllowTimeErrorSeconds = 0;  // the same in seconds
    bool ThreadSwitchFolderBySubject = true, ThreadBackBySubject = true;
    int FileHistoryMax = 20;
    int TreadIdMax = 200;
    bool AlertDialog = true;
    bool AddDate = true;
    int ScrollPercent = 100;
    bool NextMailAtEnd = true;
    bool NextFolderAtEnd = false;
    // Prefixes with the protecting trailing "." removed.
    std::string QuoteDefault = "> ";
    std::string Quote = "> ";
    std::string Quote2 = "| ";
    std::string Comment = "# ";

    // Ruler label caption: kRulerCaption, with six blanks in front when LineNum is on.
    std::string RulerCaption = kRulerCaption;

    bool operator==(const ViewSettings&) const = default;
};

// Section "Alert". Index i holds AlertString(i+1) / AlertColor(i+1).
struct AlertSettings {
    std::array<std::string, 5> AlertString;  // lower-cased
    std::array<int, 5> AlertColor = {16776960, 16711935, 65280, 16777215, 255};
    // Alert marking is on only when AlertColor1 is not 0.
    bool AlertEnabled = true;

    bool operator==(const AlertSettings&) const = default;
};

// Section "Location".
struct LocationSettings {
    std::string TesraExe, Pilvo1Exe;  // phase 1
    std::string WebBrowserPath, TrashCan, DecodeDir, DecodeProg, SaveAsDir;
    std::string TempPath;  // also re-read and written by the working-files code

    bool operator==(const LocationSettings&) const = default;
};

// Section "Edit".
struct EditSettings {
    bool AutoSaveExtChange = true;
    bool AutoSave = false;
    // Minutes as read, clamped to [kSaveIntervalMinMinutes, kSaveIntervalMaxMinutes].
    int SaveInterval = 5;
    int AutoSaveIntervalMs = 5 * 60000;  // SaveInterval in milliseconds

    bool operator==(const EditSettings&) const = default;
};

// Section "Pelk": target folders of the two sorting-rule commands.
struct PelkSettings {
    std::string Folder1, Folder2;

    bool operator==(const PelkSettings&) const = default;
};

// Section "Key": key codes of menu items and paging actions.
struct KeySettings {
    int AttachedFile = 0, ThreadBase = 0, HankakuZenkaku = 0, UpperLower = 0, InsertChar = 0;
    int CutLine = 0, CutRight = 0, CutLeft = 0;
    int HistoryBack = 0, HistoryAhead = 0;
    int ThreadUp = 0, ThreadDown = 0, NewThread = 0;
    int PageDown = 0, PageUp = 0;
    int PageDownNext = 32;  // Space
    int PageUpPrev = 8;     // Backspace
    int Save = 0, SaveQuit = 0, Exit = 0;
    int NextMail = 0, PrevMail = 0;
    int NextNewMail = 288;  // Shift+Space
    int PrevNewMail = 264;  // Shift+Backspace
    int DeleteMail = 46;    // Delete
    int Reply = 0;
    int ReplyAll = 13;  // Enter
    int ReplyLater = 0, Forward = 0;
    int FindNext = 0, Header = 0, ViewerMode = 0;
    int Reformat = 0;
    int ThreadSearch = 0, PelkSearch = 0, NumberSearch = 0;
    int WebBrowser = 0, MailTo = 0, AddressBook = 0;
    int HtmlMail = 0, ShowWithBrowser = 0, SpellCheck = 0;
    int PelkPrev = 0, PelkNext = 0, PelkHome = 0, PelkEnd = 0;
    int PelkThread = 0, PelkThreadClose = 0, PelkFind = 0;
    int PelkReceive = 0, PelkRealize = 0, PelkNextFolder = 0;
    int PasteWithQuotation = 0, Quote = 0, Unquote = 0;
    int Redo = 0;
    int EuropeanFont = 0;
    // Shortcuts of the reply-status menu entries; index i is "ReplyWithStatus" + (i+1).
    std::array<int, 5> ReplyWithStatus{};

    bool operator==(const KeySettings&) const = default;
};

// Section "ReplyStatus": captions (and status texts) of the reply-status entries,
// index i is "Status" + (i+1).
struct ReplyStatusSettings {
    std::array<std::string, 5> Status;

    bool operator==(const ReplyStatusSettings&) const = default;
};

// Section "Command": user commands (keystroke macros); index i is N = i+1.
struct CommandSettings {
    std::array<std::string, 6> CommandMenu;  // captions
    std::array<std::string, 6> Command;      // macros
    std::array<int, 6> KeyCommand{};         // shortcuts

    bool operator==(const CommandSettings&) const = default;
};

// Section "Insert": text-insertion entries; index i is N = i+1.
struct InsertSettings {
    std::array<std::string, 5> InsertMenu;  // captions
    std::array<std::string, 5> Insert;      // texts
    std::array<int, 5> KeyInsert{};         // shortcuts

    bool operator==(const InsertSettings&) const = default;
};

// Section "SpellCheck".
struct SpellCheckSettings {
    bool SpellChecker = false;
    bool IgnoreNumeric = true;
    bool IgnoreCapital = true;
    std::string Alpha = "!?,.:;\"-()<>";
    std::string Numeric = "01234567890#$%&*+=@`[\\]^_{|}~";
    std::string BasicDic = "C:\\Program Files\\SpellChecker\\Basic.wtr";
    std::string SpellFontName = "Arial";
    int SpellFontSize = 8;
    int Left = 200;  // spell-check window position
    int Top = 100;

    bool operator==(const SpellCheckSettings&) const = default;
};

// Section "Printer".
struct PrinterSettings {
    std::string FontName = "\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e";  // ＭＳ ゴシック
    int FontSize = 10;
    int LeftSpace = 10;
    std::string PrintHeader;

    bool operator==(const PrinterSettings&) const = default;
};

// Section "FindDialog": position of the find and replace dialogs (used when Left > 0).
struct FindDialogSettings {
    int Left = -1;
    int Top = -1;

    bool operator==(const FindDialogSettings&) const = default;
};

// Where the mailer is, found in the second phase (not keys of the settings file).
// Paths keep their real case.
struct MailerSettings {
    std::string MailerExe;                // the mailer's program
    std::vector<std::string> MailerArgs;  // arguments from its desktop entry, if any
    // The mailer's home directory, ending in "/" (empty when unknown). The caller may set
    // it before the second phase (from the opened mail file); it is kept as given then.
    std::string MailerHome;
    std::string TrashCanFile;   // the trash folder's index file
    std::string FolderDefFile;  // from the mailer's settings file; empty when unknown
    std::string AliasFile;      // from the mailer's settings file, as read

    bool operator==(const MailerSettings&) const = default;
};

struct Settings {
    WindowSettings window;
    ViewSettings view;
    AlertSettings alert;
    LocationSettings location;
    EditSettings edit;
    PelkSettings pelk;
    KeySettings key;
    ReplyStatusSettings replyStatus;
    CommandSettings command;
    InsertSettings insert;
    SpellCheckSettings spellCheck;
    PrinterSettings printer;
    FindDialogSettings findDialog;
    MailerSettings mailer;

    bool operator==(const Settings&) const = default;
};

// Clamps applied by the loader.
// Timer: a value <= 0 would leave the deferred-action timer (and with it the second
// start-up phase) never firing; anything above a minute makes the program look hung.
inline constexpr int kTimerMinMs = 10;
inline constexpr int kTimerMaxMs = 60000;
// SaveInterval: 0 or less would autosave continuously; a day is the longest useful
// interval and keeps the product in milliseconds far inside int range.
inline constexpr int kSaveIntervalMinMinutes = 1;
inline constexpr int kSaveIntervalMaxMinutes = 1440;

}  // namespace varnel::app
