// The text tool commands of the window: character conversions, the pick list, the cuts
// on the caret's line, printing and the spelling check. Each edits SonEdit1 through its
// own operations, so every change is one of the editor's undoable edits.
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "app/IniFile.h"
#include "app/TForm1.h"
#include "tools/PickLists.h"
#include "tools/PrintText.h"
#include "tools/SideFiles.h"
#include "tools/SpellDictionary.h"

namespace varnel::app {
namespace {

std::string DirectoryOf(const std::string& path) {
    return std::filesystem::path(path).parent_path().string();
}

}  // namespace

std::string TForm1::SideFile(std::string_view name) const {
    return tools::FindSideFile(
        name,
        tools::SideFileDirs(DirectoryOf(setup_.settingsPath), DirectoryOf(setup_.executablePath),
                            setup_.env ? setup_.env("XDG_DATA_DIRS") : std::string()));
}

void TForm1::ZenkakuHankaku1Click() {
    // A conversion may leave characters outside JIS X 0208 (half-width kana among them):
    // the check rewrites what has an equivalent and shows the rest. Whether it stopped
    // matters only to sending.
    tools::ZenkakuHankakuCommand(sonEdit1_, [this] { CheckDependentChars(); });
}

void TForm1::CaseChange1Click() {
    tools::CaseChangeCommand(sonEdit1_);
}

void TForm1::OldTypeface1Click() {
    tools::OldTypefaceCommand(sonEdit1_, SideFile("vnlkanji.txt"), io_.prompter);
}

void TForm1::InsertChar1Click() {
    if (europeanFontOn_)
        EuropeanChar1Click();
    else
        KanaKanji1Click();
}

void TForm1::KanaKanji1Click() {
    picker_.Show(sonEdit1_, tools::SymbolPickList(),
                 {settings_.view.EditorFontName, settings_.view.EditorFontSize, false});
}

void TForm1::Greek1Click() {
    picker_.Show(sonEdit1_, tools::GreekPickList(),
                 {settings_.view.EditorFontName, settings_.view.EditorFontSize, false});
}

void TForm1::EuropeanChar1Click() {
    if (sonEdit1_.ReadOnly)
        return;
    std::vector<std::string> entries;
    std::string error;
    const std::string path = SideFile("vnleurop.txt");
    if (path.empty()) {
        io_.prompter.Tell("vnleurop.txt: " + std::string(std::strerror(ENOENT)),
                          platform::Severity::Error);
        return;
    }
    if (!tools::ReadTextLines(path, entries, error)) {
        io_.prompter.Tell(error, platform::Severity::Error);
        return;
    }
    picker_.Show(sonEdit1_, std::move(entries),
                 {settings_.view.EuropeanFontName, settings_.view.EuropeanFontSize, true});
}

void TForm1::ListBox1Click(int index, bool shift, bool ctrl) {
    picker_.Click(sonEdit1_, index, shift, ctrl);
}

void TForm1::CutLine1Click() {
    tools::CutLineCommand(sonEdit1_);
}

void TForm1::CutRight1Click() {
    tools::CutRightCommand(sonEdit1_);
}

void TForm1::CutLeft1Click() {
    tools::CutLeftCommand(sonEdit1_);
}

void TForm1::Print1Click() {
    // The printer keys are read afresh, so a font chosen meanwhile is used.
    const IniFile ini(setup_.settingsPath);
    const PrinterSettings& d = settings_.printer;
    tools::PrintOptions options;
    options.fontName = ini.ReadString("Printer", "FontName", d.FontName);
    options.fontSize = ini.ReadInteger("Printer", "FontSize", d.FontSize);
    options.leftSpace = ini.ReadInteger("Printer", "LeftSpace", d.LeftSpace);
    options.header = ini.ReadString("Printer", "PrintHeader", d.PrintHeader);
    options.europeanFontName = settings_.view.EuropeanFontName;
    options.fileName = std::filesystem::path(CurrentMailFile).filename().string();
    const std::string shownFont = europeanFontOn_      ? settings_.view.EuropeanFontName
                                  : sonEdit1_.ReadOnly ? settings_.view.ViewerFontName
                                                       : settings_.view.EditorFontName;
    tools::PrintCommand(sonEdit1_, shownFont, options, io_.printer, io_.prompter);
}

void TForm1::PrintFont1Click() {
    IniFile ini(setup_.settingsPath);
    platform::PrintFont font{ini.ReadString("Printer", "FontName", settings_.printer.FontName),
                             ini.ReadInteger("Printer", "FontSize", settings_.printer.FontSize)};
    if (!io_.printer.ChooseFont(font))
        return;
    settings_.printer.FontName = font.name;
    settings_.printer.FontSize = font.size;
    if (!ini.WriteStrings({{"Printer", "FontName", font.name},
                           {"Printer", "FontSize", std::to_string(font.size)}}))
        io_.prompter.Tell(setup_.settingsPath + ": " + ini.LastError(),
                          platform::Severity::Warning);
}

void TForm1::SpellCheck1Click() {
    const IniFile ini(setup_.settingsPath);
    const SpellCheckSettings& d = settings_.spellCheck;
    tools::SpellCheckOptions o;
    o.SpellChecker = ini.ReadBool("SpellCheck", "SpellChecker", d.SpellChecker);
    o.IgnoreNumeric = ini.ReadBool("SpellCheck", "IgnoreNumeric", d.IgnoreNumeric);
    o.IgnoreCapital = ini.ReadBool("SpellCheck", "IgnoreCapital", d.IgnoreCapital);
    o.Alpha = ini.ReadString("SpellCheck", "Alpha", d.Alpha);
    o.Numeric = ini.ReadString("SpellCheck", "Numeric", d.Numeric);
    o.SpellFontName = ini.ReadString("SpellCheck", "SpellFontName", d.SpellFontName);
    o.SpellFontSize = ini.ReadInteger("SpellCheck", "SpellFontSize", d.SpellFontSize);
    o.Left = ini.ReadInteger("SpellCheck", "Left", d.Left);
    o.Top = ini.ReadInteger("SpellCheck", "Top", d.Top);
    o.mainDictionary = tools::MainDictionaryBase(
        ini.ReadString("SpellCheck", "BasicDic", d.BasicDic), tools::SystemDictionaryDirs());
    o.userDictionary = tools::UserDictionaryPath(DirectoryOf(setup_.settingsPath));
    form2_.Start(sonEdit1_, o);
}

void TForm1::SaveSpellWindow(const tools::SpellWindowState& s) {
    IniFile ini(setup_.settingsPath);
    if (!ini.WriteStrings({{"SpellCheck", "Left", std::to_string(s.Left)},
                           {"SpellCheck", "Top", std::to_string(s.Top)},
                           {"SpellCheck", "IgnoreNumeric", s.IgnoreNumeric ? "1" : "0"},
                           {"SpellCheck", "IgnoreCapital", s.IgnoreCapital ? "1" : "0"}}))
        io_.prompter.Tell(setup_.settingsPath + ": " + ini.LastError(),
                          platform::Severity::Warning);
}

void TForm1::EndSpellCheck() {
    if (form2_.InProgress())
        form2_.ExitButtonClick();
}

}  // namespace varnel::app
