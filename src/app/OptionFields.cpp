// The options dialog's fields: the settings a user changes, by group, with the default
// each key has when the file lacks it (empty: derived from another key when loaded).
#include "app/OptionFields.h"

#include <iterator>
#include <string>

namespace varnel::app {
namespace {

using K = platform::OptionKind;

struct FieldRow {
    std::string_view group, section, key;
    K kind;
    std::string_view def;
};

constexpr FieldRow kFields[] = {
    {"View", "View", "EnglishMenu", K::Bool, "0"},
    {"View", "View", "Header", K::Bool, "0"},
    {"View", "View", "HeaderList", K::Text, ""},
    {"View", "View", "ShowTo", K::Bool, "1"},
    {"View", "View", "MaxTo", K::Integer, "10"},
    {"View", "View", "FontName", K::Text, "\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e"},
    {"View", "View", "FontSize", K::Integer, "14"},
    {"View", "View", "ViewerFontName", K::Text, ""},
    {"View", "View", "ViewerFontSize", K::Integer, ""},
    {"View", "View", "EditorFontName", K::Text, ""},
    {"View", "View", "EditorFontSize", K::Integer, ""},
    {"View", "View", "EuropeanFontName", K::Text, "Courier New"},
    {"View", "View", "EuropeanFontSize", K::Integer, ""},
    {"View", "View", "ViewerColor", K::Colour, "12632256"},
    {"View", "View", "EditorColor", K::Colour, "-16777211"},
    {"View", "View", "ViewerFontColor", K::Colour, "0"},
    {"View", "View", "EditorFontColor", K::Colour, "0"},
    {"View", "View", "QuoteFontColor", K::Colour, "32768"},
    {"View", "View", "SubjectFontColor", K::Colour, "32768"},
    {"View", "View", "DateFontColor", K::Colour, "32896"},
    {"View", "View", "FromFontColor", K::Colour, "255"},
    {"View", "View", "UrlFontColor", K::Colour, "16711680"},
    {"View", "View", "UlineColor", K::Colour, "16711935"},
    {"View", "View", "UnderLine", K::Bool, "0"},
    {"View", "View", "SelColor", K::Colour, "0"},
    {"View", "View", "CrEofColor", K::Colour, "8421376"},
    {"View", "View", "Ruler", K::Integer, "0"},
    {"View", "View", "LineNum", K::Bool, "0"},
    {"View", "View", "HideButton", K::Bool, "0"},
    {"View", "View", "YellowArrowHistory", K::Bool, "1"},
    {"View", "View", "ShowCR", K::Bool, "1"},
    {"View", "View", "ShowDblSpace", K::Bool, "1"},
    {"View", "View", "ShowEOF", K::Bool, "1"},
    {"View", "View", "ShowTab", K::Bool, "1"},
    {"View", "View", "DebugMode", K::Bool, "0"},
    {"Editor", "View", "WordWrap", K::Bool, "0"},
    {"Editor", "View", "TopMargin", K::Integer, "4"},
    {"Editor", "View", "LeftMargin", K::Integer, "6"},
    {"Editor", "View", "LineSpace", K::Integer, "10"},
    {"Editor", "View", "TabCount", K::Integer, "4"},
    {"Editor", "View", "FixCursor", K::Bool, "0"},
    {"Editor", "View", "IMEcontrol", K::Integer, "1"},
    {"Editor", "View", "MaxLength", K::Integer, "64"},
    {"Editor", "View", "AutoReformat", K::Integer, "0"},
    {"Editor", "View", "DeleteTab", K::Bool, "1"},
    {"Editor", "View", "QuoteDefault", K::Text, "> ."},
    {"Editor", "View", "Quote", K::Text, ""},
    {"Editor", "View", "Quote2", K::Text, "| ."},
    {"Editor", "View", "Comment", K::Text, "# ."},
    {"Editor", "View", "QuoteChar", K::Text, ">|:# -="},
    {"Editor", "View", "QuoteStr", K::Text, ">|\x81\x84\x81\x62"},
    {"Editor", "View", "EndCharZenkaku", K::Text, "\x81\x42\x81\x44\x81\x48\x81\x47\x81\x6a"},
    {"Editor", "View", "EndCharHankaku", K::Text, ".;)!?"},
    {"Editor", "View", "TabToSpace", K::Integer, "4"},
    {"Editor", "View", "X0208_Alarm", K::Bool, "0"},
    {"Editor", "Edit", "AutoSave", K::Bool, "0"},
    {"Editor", "Edit", "SaveInterval", K::Integer, "5"},
    {"Editor", "Edit", "AutoSaveExtChange", K::Bool, "1"},
    {"Mail", "View", "Greeting1", K::Text, ""},
    {"Mail", "View", "Greeting2", K::Text, ""},
    {"Mail", "View", "Greeting3", K::Text, ""},
    {"Mail", "View", "ListRecipients", K::Bool, "1"},
    {"Mail", "View", "MyAddresses", K::Text, ""},
    {"Mail", "View", "MailingList", K::Text, ""},
    {"Mail", "View", "FixAddress", K::Bool, "0"},
    {"Mail", "View", "DeleteHeader", K::Text, ""},
    {"Mail", "View", "ForwardHeader", K::Text, ""},
    {"Mail", "View", "NoRfc822", K::Bool, "0"},
    {"Mail", "View", "NoFwdHTML", K::Bool, "0"},
    {"Mail", "View", "NotifyDispositionMode", K::Bool, "0"},
    {"Mail", "View", "AddDate", K::Bool, "1"},
    {"Mail", "View", "MinutesToCorrect", K::Integer, "-120"},
    {"Mail", "View", "ReplyConfirm", K::Bool, "0"},
    {"Mail", "View", "NextMailMode", K::Integer, "0"},
    {"Mail", "View", "NextMailAtEnd", K::Bool, "1"},
    {"Mail", "View", "NextFolderAtEnd", K::Bool, "0"},
    {"Mail", "View", "ScrollPercent", K::Integer, "100"},
    {"Mail", "View", "AlertDialog", K::Bool, "1"},
    {"Mail", "View", "FileHistoryMax", K::Integer, "20"},
    {"Mail", "View", "NewThreadAtEnd", K::Bool, "0"},
    {"Mail", "View", "NewMailAtEnd", K::Bool, "0"},
    {"Mail", "View", "ThreadBySubject", K::Bool, "0"},
    {"Mail", "View", "ThreadSwitchFolder", K::Bool, "1"},
    {"Mail", "View", "ThreadAllowTimeError", K::Integer, "0"},
    {"Mail", "View", "DontExecuteExt", K::Text, ".exe.bat.com.scr.pif.js.jse.vbe.vbs.wsf.xlm"},
    {"Mail", "View", "Timer", K::Integer, "400"},
    {"Mail", "Pelk", "Folder1", K::Text, ""},
    {"Mail", "Pelk", "Folder2", K::Text, ""},
    {"Mail", "Alert", "AlertString1", K::Text, ""},
    {"Mail", "Alert", "AlertString2", K::Text, ""},
    {"Mail", "Alert", "AlertString3", K::Text, ""},
    {"Mail", "Alert", "AlertString4", K::Text, ""},
    {"Mail", "Alert", "AlertString5", K::Text, ""},
    {"Mail", "Alert", "AlertColor1", K::Colour, "16776960"},
    {"Mail", "Alert", "AlertColor2", K::Colour, "16711935"},
    {"Mail", "Alert", "AlertColor3", K::Colour, "65280"},
    {"Mail", "Alert", "AlertColor4", K::Colour, "16777215"},
    {"Mail", "Alert", "AlertColor5", K::Colour, "255"},
    {"Mail", "SpellCheck", "SpellChecker", K::Bool, "0"},
    {"Keys", "Key", "AttachedFile", K::KeyCode, "0"},
    {"Keys", "Key", "ThreadBase", K::KeyCode, "0"},
    {"Keys", "Key", "HankakuZenkaku", K::KeyCode, "0"},
    {"Keys", "Key", "UpperLower", K::KeyCode, "0"},
    {"Keys", "Key", "InsertChar", K::KeyCode, "0"},
    {"Keys", "Key", "CutLine", K::KeyCode, "0"},
    {"Keys", "Key", "CutRight", K::KeyCode, "0"},
    {"Keys", "Key", "CutLeft", K::KeyCode, "0"},
    {"Keys", "Key", "HistoryBack", K::KeyCode, "0"},
    {"Keys", "Key", "HistoryAhead", K::KeyCode, "0"},
    {"Keys", "Key", "ThreadUp", K::KeyCode, "0"},
    {"Keys", "Key", "ThreadDown", K::KeyCode, "0"},
    {"Keys", "Key", "NewThread", K::KeyCode, "0"},
    {"Keys", "Key", "PageDown", K::KeyCode, "0"},
    {"Keys", "Key", "PageUp", K::KeyCode, "0"},
    {"Keys", "Key", "PageDownNext", K::KeyCode, "32"},
    {"Keys", "Key", "PageUpPrev", K::KeyCode, "8"},
    {"Keys", "Key", "Save", K::KeyCode, "0"},
    {"Keys", "Key", "SaveQuit", K::KeyCode, "0"},
    {"Keys", "Key", "Exit", K::KeyCode, "0"},
    {"Keys", "Key", "NextMail", K::KeyCode, "0"},
    {"Keys", "Key", "PrevMail", K::KeyCode, "0"},
    {"Keys", "Key", "NextNewMail", K::KeyCode, "288"},
    {"Keys", "Key", "PrevNewMail", K::KeyCode, "264"},
    {"Keys", "Key", "DeleteMail", K::KeyCode, "46"},
    {"Keys", "Key", "Reply", K::KeyCode, "0"},
    {"Keys", "Key", "ReplyAll", K::KeyCode, "13"},
    {"Keys", "Key", "ReplyLater", K::KeyCode, "0"},
    {"Keys", "Key", "Forward", K::KeyCode, "0"},
    {"Keys", "Key", "FindNext", K::KeyCode, "0"},
    {"Keys", "Key", "Header", K::KeyCode, "0"},
    {"Keys", "Key", "ViewerMode", K::KeyCode, "0"},
    {"Keys", "Key", "Reformat", K::KeyCode, "0"},
    {"Keys", "Key", "ThreadSearch", K::KeyCode, "0"},
    {"Keys", "Key", "PelkSearch", K::KeyCode, "0"},
    {"Keys", "Key", "NumberSearch", K::KeyCode, "0"},
    {"Keys", "Key", "WebBrowser", K::KeyCode, "0"},
    {"Keys", "Key", "MailTo", K::KeyCode, "0"},
    {"Keys", "Key", "AddressBook", K::KeyCode, "0"},
    {"Keys", "Key", "HtmlMail", K::KeyCode, "0"},
    {"Keys", "Key", "ShowWithBrowser", K::KeyCode, "0"},
    {"Keys", "Key", "SpellCheck", K::KeyCode, "0"},
    {"Keys", "Key", "PelkPrev", K::KeyCode, "0"},
    {"Keys", "Key", "PelkNext", K::KeyCode, "0"},
    {"Keys", "Key", "PelkHome", K::KeyCode, "0"},
    {"Keys", "Key", "PelkEnd", K::KeyCode, "0"},
    {"Keys", "Key", "PelkThread", K::KeyCode, "0"},
    {"Keys", "Key", "PelkThreadClose", K::KeyCode, "0"},
    {"Keys", "Key", "PelkFind", K::KeyCode, "0"},
    {"Keys", "Key", "PelkReceive", K::KeyCode, "0"},
    {"Keys", "Key", "PelkRealize", K::KeyCode, "0"},
    {"Keys", "Key", "PelkNextFolder", K::KeyCode, "0"},
    {"Keys", "Key", "PasteWithQuotation", K::KeyCode, "0"},
    {"Keys", "Key", "Quote", K::KeyCode, "0"},
    {"Keys", "Key", "Unquote", K::KeyCode, "0"},
    {"Keys", "Key", "Redo", K::KeyCode, "0"},
    {"Keys", "Key", "EuropeanFont", K::KeyCode, "0"},
    {"Locations", "Location", "TesraExe", K::Text, ""},
    {"Locations", "Location", "Pilvo1Exe", K::Text, ""},
    {"Locations", "Location", "WebBrowserPath", K::Text, ""},
    {"Locations", "Location", "TrashCan", K::Text, ""},
    {"Locations", "Location", "DecodeDir", K::Text, ""},
    {"Locations", "Location", "DecodeProg", K::Text, ""},
    {"Locations", "Location", "TempPath", K::Text, ""},
};

}  // namespace

std::vector<platform::OptionField> ReadOptionFields(const IniFile& ini) {
    std::vector<platform::OptionField> fields;
    fields.reserve(std::size(kFields));
    for (const FieldRow& r : kFields)
        fields.push_back(
            {r.group, r.section, r.key, r.kind, ini.ReadString(r.section, r.key, r.def)});
    return fields;
}

std::vector<SettingWrite> ChangedOptions(const std::vector<platform::OptionField>& before,
                                         const std::vector<platform::OptionField>& after) {
    std::vector<SettingWrite> writes;
    for (std::size_t i = 0; i < before.size() && i < after.size(); ++i) {
        if (after[i].value != before[i].value)
            writes.push_back(
                {std::string(after[i].section), std::string(after[i].key), after[i].value});
    }
    return writes;
}

}  // namespace varnel::app
