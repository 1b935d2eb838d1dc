// The two loading phases of the settings file and their post-processing rules.
#include "app/SettingsLoader.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <utility>

#include "app/MailerLocator.h"
#include "text/Sjis.h"

namespace varnel::app {

namespace {

template <class S, class T>
using Keys = std::initializer_list<std::pair<const char*, T S::*>>;

template <class S>
void ReadInts(const IniFile& ini, std::string_view section, S& out, const S& def,
              Keys<S, int> keys) {
    for (const auto& [key, member] : keys)
        out.*member = ini.ReadInteger(section, key, def.*member);
}

template <class S>
void ReadBools(const IniFile& ini, std::string_view section, S& out, const S& def,
               Keys<S, bool> keys) {
    for (const auto& [key, member] : keys)
        out.*member = ini.ReadBool(section, key, def.*member);
}

template <class S>
void ReadStrings(const IniFile& ini, std::string_view section, S& out, const S& def,
                 Keys<S, std::string> keys) {
    for (const auto& [key, member] : keys)
        out.*member = ini.ReadString(section, key, def.*member);
}

// key1..keyN into an array (index 0 holds key1).
template <std::size_t N>
void ReadStringArray(const IniFile& ini, std::string_view section, std::string_view key,
                     std::array<std::string, N>& out, const std::array<std::string, N>& def) {
    for (std::size_t i = 0; i < N; ++i)
        out[i] = ini.ReadString(section, std::string(key) + std::to_string(i + 1), def[i]);
}

template <std::size_t N>
void ReadIntArray(const IniFile& ini, std::string_view section, std::string_view key,
                  std::array<int, N>& out, const std::array<int, N>& def) {
    for (std::size_t i = 0; i < N; ++i)
        out[i] = ini.ReadInteger(section, std::string(key) + std::to_string(i + 1), def[i]);
}

std::optional<int> ReadOptionalInt(const IniFile& ini, std::string_view section,
                                   std::string_view key) {
    constexpr int kAbsent = INT32_MIN;  // never a sensible window coordinate
    const int v = ini.ReadInteger(section, key, kAbsent);
    return v == kAbsent ? std::nullopt : std::optional<int>(v);
}

// A font named FixedSys only comes in one size.
int FixedSysSize(const std::string& name, int size) {
    return text::ToLowerAscii(name) == "fixedsys" ? 14 : size;
}

constexpr std::string_view kView = "View";

// Stored defaults of the keys whose value is post-processed.
// 　．，。、・？！）〕］｝〉》」』】
constexpr std::string_view kAvoidBeginCharDefault =
    "\x81\x40\x81\x44\x81\x43\x81\x42\x81\x41\x81\x45\x81\x48\x81\x49\x81\x6a\x81\x6c\x81\x6e"
    "\x81\x70\x81\x72\x81\x74\x81\x76\x81\x78\x81\x7a";
// （〔［｛〈《「『【
constexpr std::string_view kAvoidEndCharDefault =
    "\x81\x69\x81\x6b\x81\x6d\x81\x6f\x81\x71\x81\x73\x81\x75\x81\x77\x81\x79";
constexpr std::string_view kQuoteDefaultDefault = "> .";
constexpr std::string_view kQuote2Default = "| .";
constexpr std::string_view kCommentDefault = "# .";

void LoadViewPhase1(const IniFile& ini, ViewSettings& v, const ViewSettings& d) {
    ReadStrings(ini, kView, v, d,
                {{"Greeting1", &ViewSettings::Greeting1},
                 {"Greeting2", &ViewSettings::Greeting2},
                 {"Greeting3", &ViewSettings::Greeting3},
                 {"DeleteHeader", &ViewSettings::DeleteHeader},
                 {"QuoteChar", &ViewSettings::QuoteChar},
                 {"EndCharZenkaku", &ViewSettings::EndCharZenkaku},
                 {"EndCharHankaku", &ViewSettings::EndCharHankaku},
                 {"QuoteStr", &ViewSettings::QuoteStr}});
    ReadBools(ini, kView, v, d,
              {{"ListRecipients", &ViewSettings::ListRecipients},
               {"NotifyDispositionMode", &ViewSettings::NotifyDispositionMode},
               {"NoRfc822", &ViewSettings::NoRfc822},
               {"NoFwdHTML", &ViewSettings::NoFwdHTML},
               {"ShowCR", &ViewSettings::ShowCR},
               {"ShowDblSpace", &ViewSettings::ShowDblSpace},
               {"ShowEOF", &ViewSettings::ShowEOF},
               {"ShowTab", &ViewSettings::ShowTab},
               {"FixAddress", &ViewSettings::FixAddress},
               {"WordWrap", &ViewSettings::WordWrap},
               {"ReplyConfirm", &ViewSettings::ReplyConfirm},
               {"ShowTo", &ViewSettings::ShowTo},
               {"EnglishMenu", &ViewSettings::EnglishMenu},
               {"Header", &ViewSettings::Header},
               {"HideButton", &ViewSettings::HideButton},
               {"UnderLine", &ViewSettings::UnderLine},
               {"LineNum", &ViewSettings::LineNum},
               {"FixCursor", &ViewSettings::FixCursor}});
    ReadInts(ini, kView, v, d,
             {{"MinutesToCorrect", &ViewSettings::MinutesToCorrect},
              {"TopMargin", &ViewSettings::TopMargin},
              {"LeftMargin", &ViewSettings::LeftMargin},
              {"LineSpace", &ViewSettings::LineSpace},
              {"TabCount", &ViewSettings::TabCount},
              {"CrEofColor", &ViewSettings::CrEofColor},
              {"Ruler", &ViewSettings::Ruler},
              {"MaxTo", &ViewSettings::MaxTo},
              {"MaxOpenSize", &ViewSettings::MaxOpenSize},
              {"IMEcontrol", &ViewSettings::IMEcontrol},
              {"TabToSpace", &ViewSettings::TabToSpace},
              {"AutoReformat", &ViewSettings::AutoReformat},
              {"NextMailMode", &ViewSettings::NextMailMode},
              {"MaxLength", &ViewSettings::MaxLength},
              {"QuoteFontColor", &ViewSettings::QuoteFontColor},
              {"SubjectFontColor", &ViewSettings::SubjectFontColor},
              {"DateFontColor", &ViewSettings::DateFontColor},
              {"FromFontColor", &ViewSettings::FromFontColor},
              {"UlineColor", &ViewSettings::UlineColor},
              {"UrlFontColor", &ViewSettings::UrlFontColor},
              {"SelColor", &ViewSettings::SelColor},
              {"ViewerColor", &ViewSettings::ViewerColor},
              {"EditorColor", &ViewSettings::EditorColor},
              {"ViewerFontColor", &ViewSettings::ViewerFontColor},
              {"EditorFontColor", &ViewSettings::EditorFontColor}});

    // Address and header lists are matched against lower-cased text.
    v.MailingList = text::ToLowerAscii(ini.ReadString(kView, "MailingList", d.MailingList));
    v.MyAddresses = text::ToLowerAscii(ini.ReadString(kView, "MyAddresses", d.MyAddresses));
    v.ForwardHeader = text::ToLowerAscii(ini.ReadString(kView, "ForwardHeader", d.ForwardHeader));
    // The leading comma lets ",name" be searched for every listed header name.
    v.HeaderList = "," + text::ToLowerAscii(ini.ReadString(kView, "HeaderList", ""));

    // The editor and viewer fonts default to the base font as read.
    v.FontName = ini.ReadString(kView, "FontName", d.FontName);
    v.FontSize = ini.ReadInteger(kView, "FontSize", d.FontSize);
    v.EditorFontName = ini.ReadString(kView, "EditorFontName", v.FontName);
    v.EditorFontSize =
        FixedSysSize(v.EditorFontName, ini.ReadInteger(kView, "EditorFontSize", v.FontSize));
    v.ViewerFontName = ini.ReadString(kView, "ViewerFontName", v.FontName);
    v.ViewerFontSize =
        FixedSysSize(v.ViewerFontName, ini.ReadInteger(kView, "ViewerFontSize", v.FontSize));

    v.RulerCaption = RulerCaptionFor(d.RulerCaption, v.LineNum);
    v.Timer = std::clamp(ini.ReadInteger(kView, "Timer", d.Timer), kTimerMinMs, kTimerMaxMs);
}

void LoadViewPhase2(const IniFile& ini, ViewSettings& v, const ViewSettings& d) {
    ReadBools(ini, kView, v, d,
              {{"X0208_Alarm", &ViewSettings::X0208_Alarm},
               {"DeleteTab", &ViewSettings::DeleteTab},
               {"DebugMode", &ViewSettings::DebugMode},
               {"YellowArrowHistory", &ViewSettings::YellowArrowHistory},
               {"NewThreadAtEnd", &ViewSettings::NewThreadAtEnd},
               {"NewMailAtEnd", &ViewSettings::NewMailAtEnd},
               {"ThreadBySubject", &ViewSettings::ThreadBySubject},
               {"ThreadSwitchFolder", &ViewSettings::ThreadSwitchFolder},
               {"ThreadSwitchFolderBySubject", &ViewSettings::ThreadSwitchFolderBySubject},
               {"ThreadBackBySubject", &ViewSettings::ThreadBackBySubject},
               {"AlertDialog", &ViewSettings::AlertDialog},
               {"AddDate", &ViewSettings::AddDate},
               {"NextMailAtEnd", &ViewSettings::NextMailAtEnd},
               {"NextFolderAtEnd", &ViewSettings::NextFolderAtEnd}});
    ReadInts(ini, kView, v, d,
             {{"ThreadAllowTimeError", &ViewSettings::ThreadAllowTimeError},
              {"FileHistoryMax", &ViewSettings::FileHistoryMax},
              {"TreadIdMax", &ViewSettings::TreadIdMax},
              {"ScrollPercent", &ViewSettings::ScrollPercent}});
    ReadStrings(ini, kView, v, d, {{"EuropeanFontName", &ViewSettings::EuropeanFontName}});

    v.EuropeanFontSize = ini.ReadInteger(kView, "EuropeanFontSize", v.ViewerFontSize);
    v.AvoidBeginChar =
        SpaceAfterDoubleByte(ini.ReadString(kView, "AvoidBeginChar", kAvoidBeginCharDefault));
    v.AvoidEndChar =
        SpaceAfterDoubleByte(ini.ReadString(kView, "AvoidEndChar", kAvoidEndCharDefault));
    v.DontExecuteExt =
        text::ToLowerAscii(ini.ReadString(kView, "DontExecuteExt", d.DontExecuteExt));
    // Minutes to seconds, saturating instead of overflowing.
    v.ThreadAllowTimeErrorSeconds = static_cast<int>(
        std::clamp<std::int64_t>(std::int64_t{v.ThreadAllowTimeError} * 60, INT32_MIN, INT32_MAX));

    v.QuoteDefault =
        StripProtectingDot(ini.ReadString(kView, "QuoteDefault", kQuoteDefaultDefault));
    v.Quote = ini.HasKey(kView, "Quote") ? StripProtectingDot(ini.ReadString(kView, "Quote", ""))
                                         : v.QuoteDefault;
    v.Quote2 = StripProtectingDot(ini.ReadString(kView, "Quote2", kQuote2Default));
    v.Comment = StripProtectingDot(ini.ReadString(kView, "Comment", kCommentDefault));
}

// The integer keys of section "Key", by name.
const Keys<KeySettings, int>& KeyFields() {
    using K = KeySettings;
    static const Keys<KeySettings, int> kFields = {{"AttachedFile", &K::AttachedFile},
                                                   {"ThreadBase", &K::ThreadBase},
                                                   {"HankakuZenkaku", &K::HankakuZenkaku},
                                                   {"UpperLower", &K::UpperLower},
                                                   {"InsertChar", &K::InsertChar},
                                                   {"CutLine", &K::CutLine},
                                                   {"CutRight", &K::CutRight},
                                                   {"CutLeft", &K::CutLeft},
                                                   {"HistoryBack", &K::HistoryBack},
                                                   {"HistoryAhead", &K::HistoryAhead},
                                                   {"ThreadUp", &K::ThreadUp},
                                                   {"ThreadDown", &K::ThreadDown},
                                                   {"NewThread", &K::NewThread},
                                                   {"PageDown", &K::PageDown},
                                                   {"PageUp", &K::PageUp},
                                                   {"PageDownNext", &K::PageDownNext},
                                                   {"PageUpPrev", &K::PageUpPrev},
                                                   {"Save", &K::Save},
                                                   {"SaveQuit", &K::SaveQuit},
                                                   {"Exit", &K::Exit},
                                                   {"NextMail", &K::NextMail},
                                                   {"PrevMail", &K::PrevMail},
                                                   {"NextNewMail", &K::NextNewMail},
                                                   {"PrevNewMail", &K::PrevNewMail},
                                                   {"DeleteMail", &K::DeleteMail},
                                                   {"Reply", &K::Reply},
                                                   {"ReplyAll", &K::ReplyAll},
                                                   {"ReplyLater", &K::ReplyLater},
                                                   {"Forward", &K::Forward},
                                                   {"FindNext", &K::FindNext},
                                                   {"Header", &K::Header},
                                                   {"ViewerMode", &K::ViewerMode},
                                                   {"Reformat", &K::Reformat},
                                                   {"ThreadSearch", &K::ThreadSearch},
                                                   {"PelkSearch", &K::PelkSearch},
                                                   {"NumberSearch", &K::NumberSearch},
                                                   {"WebBrowser", &K::WebBrowser},
                                                   {"MailTo", &K::MailTo},
                                                   {"AddressBook", &K::AddressBook},
                                                   {"HtmlMail", &K::HtmlMail},
                                                   {"ShowWithBrowser", &K::ShowWithBrowser},
                                                   {"SpellCheck", &K::SpellCheck},
                                                   {"PelkPrev", &K::PelkPrev},
                                                   {"PelkNext", &K::PelkNext},
                                                   {"PelkHome", &K::PelkHome},
                                                   {"PelkEnd", &K::PelkEnd},
                                                   {"PelkThread", &K::PelkThread},
                                                   {"PelkThreadClose", &K::PelkThreadClose},
                                                   {"PelkFind", &K::PelkFind},
                                                   {"PelkReceive", &K::PelkReceive},
                                                   {"PelkRealize", &K::PelkRealize},
                                                   {"PelkNextFolder", &K::PelkNextFolder},
                                                   {"PasteWithQuotation", &K::PasteWithQuotation},
                                                   {"Quote", &K::Quote},
                                                   {"Unquote", &K::Unquote},
                                                   {"Redo", &K::Redo},
                                                   {"EuropeanFont", &K::EuropeanFont}};
    return kFields;
}

void LoadKeys(const IniFile& ini, KeySettings& k, const KeySettings& d) {
    ReadInts(ini, "Key", k, d, KeyFields());
    ReadIntArray(ini, "Key", "ReplyWithStatus", k.ReplyWithStatus, d.ReplyWithStatus);
}

void LoadUserMenus(const IniFile& ini, Settings& s, const Settings& d) {
    ReadStringArray(ini, "ReplyStatus", "Status", s.replyStatus.Status, d.replyStatus.Status);
    ReadStringArray(ini, "Command", "CommandMenu", s.command.CommandMenu, d.command.CommandMenu);
    ReadStringArray(ini, "Command", "Command", s.command.Command, d.command.Command);
    ReadIntArray(ini, "Command", "KeyCommand", s.command.KeyCommand, d.command.KeyCommand);
    ReadStringArray(ini, "Insert", "InsertMenu", s.insert.InsertMenu, d.insert.InsertMenu);
    ReadStringArray(ini, "Insert", "Insert", s.insert.Insert, d.insert.Insert);
    ReadIntArray(ini, "Insert", "KeyInsert", s.insert.KeyInsert, d.insert.KeyInsert);
}

void LoadToolSections(const IniFile& ini, Settings& s, const Settings& d) {
    using SC = SpellCheckSettings;
    ReadBools(ini, "SpellCheck", s.spellCheck, d.spellCheck,
              {{"SpellChecker", &SC::SpellChecker},
               {"IgnoreNumeric", &SC::IgnoreNumeric},
               {"IgnoreCapital", &SC::IgnoreCapital}});
    ReadStrings(ini, "SpellCheck", s.spellCheck, d.spellCheck,
                {{"Alpha", &SC::Alpha},
                 {"Numeric", &SC::Numeric},
                 {"BasicDic", &SC::BasicDic},
                 {"SpellFontName", &SC::SpellFontName}});
    ReadInts(ini, "SpellCheck", s.spellCheck, d.spellCheck,
             {{"SpellFontSize", &SC::SpellFontSize}, {"Left", &SC::Left}, {"Top", &SC::Top}});

    using P = PrinterSettings;
    ReadStrings(ini, "Printer", s.printer, d.printer,
                {{"FontName", &P::FontName}, {"PrintHeader", &P::PrintHeader}});
    ReadInts(ini, "Printer", s.printer, d.printer,
             {{"FontSize", &P::FontSize}, {"LeftSpace", &P::LeftSpace}});

    ReadInts(ini, "FindDialog", s.findDialog, d.findDialog,
             {{"Left", &FindDialogSettings::Left}, {"Top", &FindDialogSettings::Top}});
}

}  // namespace

int KeyCodeOf(const KeySettings& keys, std::string_view name) {
    for (const auto& [key, member] : KeyFields()) {
        if (name == key)
            return keys.*member;
    }
    return 0;
}

bool AnyKeySettingIs(const KeySettings& keys, int code) {
    for (const auto& field : KeyFields()) {
        if (keys.*(field.second) == code)
            return true;
    }
    for (int k : keys.ReplyWithStatus) {
        if (k == code)
            return true;
    }
    return false;
}

std::string StripProtectingDot(std::string value) {
    if (!value.empty() && value.back() == '.')
        value.pop_back();
    return value;
}

std::string SpaceAfterDoubleByte(std::string_view chars) {
    std::string out;
    for (std::size_t i = 0; i < chars.size();) {
        const std::size_t len = text::CharLengthAt(chars, i);
        out.append(chars.substr(i, len));
        if (len == 2)
            out += ' ';
        i += len;
    }
    return out;
}

std::string RulerCaptionFor(std::string caption, bool lineNum) {
    const bool startsBlank = !caption.empty() && caption[0] == ' ';
    if (lineNum && !startsBlank)
        caption.insert(0, 6, ' ');
    else if (!lineNum && startsBlank)
        caption.erase(0, std::min<std::size_t>(6, caption.size()));
    return caption;
}

void LoadSettingsPhase1(const IniFile& ini, Settings& s) {
    const Settings d;
    s.window.Left = ReadOptionalInt(ini, "Window", "Left");
    s.window.Top = ReadOptionalInt(ini, "Window", "Top");
    s.window.Width = ReadOptionalInt(ini, "Window", "Width");
    s.window.Height = ReadOptionalInt(ini, "Window", "Height");
    s.window.EditWidth = ini.ReadInteger("Window", "EditWidth", d.window.EditWidth);

    LoadViewPhase1(ini, s.view, d.view);

    ReadStringArray(ini, "Alert", "AlertString", s.alert.AlertString, d.alert.AlertString);
    for (std::string& a : s.alert.AlertString)
        a = text::ToLowerAscii(a);
    ReadIntArray(ini, "Alert", "AlertColor", s.alert.AlertColor, d.alert.AlertColor);
    s.alert.AlertEnabled = s.alert.AlertColor[0] != 0;

    ReadStrings(
        ini, "Location", s.location, d.location,
        {{"TesraExe", &LocationSettings::TesraExe}, {"Pilvo1Exe", &LocationSettings::Pilvo1Exe}});
}

void LoadSettingsPhase2(const IniFile& ini, Settings& s, const EnvLookup& env) {
    const Settings d;
    LoadViewPhase2(ini, s.view, d.view);

    using L = LocationSettings;
    ReadStrings(ini, "Location", s.location, d.location,
                {{"WebBrowserPath", &L::WebBrowserPath},
                 {"TrashCan", &L::TrashCan},
                 {"DecodeDir", &L::DecodeDir},
                 {"DecodeProg", &L::DecodeProg},
                 {"SaveAsDir", &L::SaveAsDir},
                 {"TempPath", &L::TempPath}});

    ReadBools(ini, "Edit", s.edit, d.edit,
              {{"AutoSaveExtChange", &EditSettings::AutoSaveExtChange},
               {"AutoSave", &EditSettings::AutoSave}});
    s.edit.SaveInterval = std::clamp(ini.ReadInteger("Edit", "SaveInterval", d.edit.SaveInterval),
                                     kSaveIntervalMinMinutes, kSaveIntervalMaxMinutes);
    s.edit.AutoSaveIntervalMs = s.edit.SaveInterval * 60000;

    ReadStrings(ini, "Pelk", s.pelk, d.pelk,
                {{"Folder1", &PelkSettings::Folder1}, {"Folder2", &PelkSettings::Folder2}});

    LoadKeys(ini, s.key, d.key);
    LoadUserMenus(ini, s, d);
    LoadToolSections(ini, s, d);
    s.window.InvokeCount = ini.ReadInteger("Window", "InvokeCount", d.window.InvokeCount);

    LocateMailer(env, s.location.TrashCan, s.mailer);
}

Settings LoadAllSettings(const IniFile& ini, const EnvLookup& env, const std::string& mailerHome) {
    Settings s;
    s.mailer.MailerHome = mailerHome;
    LoadSettingsPhase1(ini, s);
    LoadSettingsPhase2(ini, s, env);
    return s;
}

}  // namespace varnel::app
