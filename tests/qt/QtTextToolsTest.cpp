// Offscreen: the printed lines in a PDF, the pick list's clicks, and a spelling check
// driven through the spell-check window with Hunspell.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "editor/EditorFakes.h"
#include "editor/SonEdit2.h"
#include "fakes/Fakes.h"
#include "qt/HunspellSpeller.h"
#include "qt/QtPickList.h"
#include "qt/QtPrinter.h"
#include "qt/QtSpellWindow.h"
#include "qt/QtTestApp.h"
#include "tools/PrintText.h"
#include "tools/SpellDictionary.h"
#include "tools/TForm2.h"

namespace varnel::qt {
namespace {

namespace fs = std::filesystem;

fs::path TempDir(const std::string& name) {
    const fs::path dir = fs::temp_directory_path() / (name + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

std::string ReadFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Runs a command line and returns its standard output.
std::string RunCommandLine(const std::string& command) {
    std::string out;
    if (FILE* p = ::popen(command.c_str(), "r")) {
        char buf[4096];
        for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;)
            out.append(buf, n);
        ::pclose(p);
    }
    return out;
}

// x of the first word of each text line in a PDF (points), from pdftotext's boxes.
std::vector<double> LineStarts(const fs::path& pdf) {
    std::vector<double> starts;
    std::istringstream in(RunCommandLine("pdftotext -bbox '" + pdf.string() + "' -"));
    double lastY = -1;
    for (std::string line; std::getline(in, line);) {
        const auto x = line.find("xMin=\""), y = line.find("yMin=\"");
        if (line.find("<word") == std::string::npos || x == std::string::npos)
            continue;
        const double yMin = std::stod(line.substr(y + 6));
        if (yMin != lastY)
            starts.push_back(std::stod(line.substr(x + 6)));
        lastY = yMin;
    }
    return starts;
}

TEST(QtPrinterTest, PdfHoldsThePrintedLines) {
    EnsureQtApp();
    const fs::path dir = TempDir("varnel-print-");
    editor::TSonStrings text;
    text.SetTextStr("First line\r\n\r\nThird line\r\nLast line without end");
    QtPrinter printer(nullptr);
    const platform::PrintFont gothic{"\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e", 10};
    for (int indent : {4, 0}) {
        const fs::path pdf = dir / ("out" + std::to_string(indent) + ".pdf");
        printer.SetPdfOutput(QString::fromStdString(pdf.string()));
        std::string error;
        ASSERT_EQ(printer.PrintLines(gothic, tools::PrintedLines(text, {}, indent, "Title"), error),
                  platform::PrintResult::Printed)
            << error;
    }
    // pdftotext lays text out from the leftmost glyph on the page, so the shared indent
    // is measured from the glyph boxes: four cells (the underline is 25 cells wide).
    EXPECT_EQ(RunCommandLine("pdftotext -layout '" + (dir / "out4.pdf").string() + "' -"),
              "Title\n_________________________\nFirst line\n\nThird line\n"
              "Last line without end\n\f");
    const std::vector<double> indented = LineStarts(dir / "out4.pdf");
    const std::vector<double> plain = LineStarts(dir / "out0.pdf");
    ASSERT_EQ(indented.size(), 5u);
    ASSERT_EQ(plain.size(), 5u);
    const std::string bbox =
        RunCommandLine("pdftotext -bbox '" + (dir / "out0.pdf").string() + "' -");
    const auto u = bbox.find("_________________________");
    const auto box = bbox.rfind("<word", u);
    const double x0 = std::stod(bbox.substr(bbox.find("xMin=\"", box) + 6));
    const double x1 = std::stod(bbox.substr(bbox.find("xMax=\"", box) + 6));
    const double cell = (x1 - x0) / 25;
    for (std::size_t i = 0; i < indented.size(); ++i)
        EXPECT_NEAR(indented[i] - plain[i], 4 * cell, 0.2) << "line " << i;
    if (!std::getenv("KEEP_PDF"))
        fs::remove_all(dir);
}

TEST(QtPickListTest, ClicksCarryShiftAndCtrl) {
    EnsureQtApp();
    std::vector<std::tuple<int, bool, bool>> clicks;
    QtPickList list(nullptr, [&](int i, bool s, bool c) { clicks.emplace_back(i, s, c); });
    list.ShowEntries({"\xe9", "\xc0\xe0"}, {"Courier New", 10, true});
    ASSERT_EQ(list.List()->count(), 2);
    EXPECT_EQ(list.List()->item(1)->text(), QString::fromUtf8("Àà"));
    list.Activate(1, Qt::ShiftModifier | Qt::ControlModifier);
    list.Activate(0, Qt::NoModifier);
    EXPECT_EQ(clicks,
              (std::vector<std::tuple<int, bool, bool>>{{1, true, true}, {0, false, false}}));
}

struct SpellWindowFixture {
    fakes::CellTextMetrics metrics;
    fakes::MemoryClipboard clipboard;
    fakes::ScriptedPrompter prompter;
    editor::TSonEdit2 edit{metrics, clipboard, prompter};
    QtSpellWindow window;
    std::vector<tools::SpellWindowState> saved;
    tools::TForm2 form{{window, prompter, HunspellSpeller::Factory(),
                        [this](const tools::SpellWindowState& s) { saved.push_back(s); }}};
    fs::path dir = TempDir("varnel-spell-");
    tools::SpellCheckOptions options;

    SpellWindowFixture() {
        window.Bind(&form);
        options.SpellChecker = true;
        options.mainDictionary = tools::MainDictionaryBase(
            "C:\\Program Files\\SpellChecker\\Basic.wtr", tools::SystemDictionaryDirs());
        options.userDictionary = tools::UserDictionaryPath(dir.string());
    }
    ~SpellWindowFixture() { fs::remove_all(dir); }
    void Click(const char* button) {
        auto* b = window.findChild<QPushButton*>(button);
        ASSERT_NE(b, nullptr) << button;
        b->click();
    }
    std::string Field(const char* name) {
        return window.findChild<QLineEdit*>(name)->text().toStdString();
    }
    QListWidget* List() { return window.findChild<QListWidget*>("ListBox1"); }
};

TEST(QtSpellWindowTest, ChangeIgnoreAddAndADoubledWord) {
    EnsureQtApp();
    SpellWindowFixture f;
    ASSERT_FALSE(f.options.mainDictionary.empty()) << "hunspell-en-us is not installed";
    const std::string draft =
        "Subject: Test\r\n\r\nI wrote a drafft of teh letter.\r\nIt is is nerly done";
    f.edit.SetText(draft);
    f.form.Start(f.edit, f.options);

    ASSERT_TRUE(f.window.isVisible());
    EXPECT_EQ(f.Field("Edit2"), "drafft");
    EXPECT_EQ(f.edit.GetSelText(), "drafft");
    const auto found = f.List()->findItems("draft", Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    f.List()->setCurrentItem(found[0]);
    emit f.List()->itemClicked(found[0]);
    EXPECT_EQ(f.Field("Edit1"), "draft");
    f.Click("ChangeButton");

    EXPECT_EQ(f.Field("Edit2"), "teh");
    f.Click("IgnoreButton");

    EXPECT_EQ(f.Field("Edit2"), "is");
    ASSERT_EQ(f.List()->count(), 1);
    EXPECT_EQ(f.List()->item(0)->text().toStdString(), "(Duplicate words.)");
    f.Click("ChangeButton");  // the empty replacement takes the second "is" out

    EXPECT_EQ(f.Field("Edit2"), "nerly");
    f.Click("AddButton");

    EXPECT_FALSE(f.form.InProgress());
    EXPECT_FALSE(f.window.isVisible());
    EXPECT_EQ(f.prompter.asked.back(), "Spell Check Complete.");
    EXPECT_EQ(ReadFile(f.options.userDictionary), "nerly\n");
    EXPECT_EQ(f.edit.Text(),
              "Subject: Test\r\n\r\nI wrote a draft of teh letter.\r\nIt is  nerly done");
    ASSERT_EQ(f.saved.size(), 1u);

    // The added word is known to the next check.
    f.edit.SetText("nerly");
    f.prompter.asked.clear();
    f.form.Start(f.edit, f.options);
    EXPECT_FALSE(f.form.InProgress());
    EXPECT_EQ(f.prompter.asked.back(), "Spell Check Complete.");

    // Undo takes the changes back.
    f.edit.SetText(draft);
    f.form.Start(f.edit, f.options);
    f.Click("ChangeButton");
    EXPECT_NE(f.edit.Text(), draft);
    f.Click("UndoButton");
    EXPECT_EQ(f.edit.Text(), draft);
    EXPECT_EQ(f.Field("Edit2"), "drafft");
    f.window.close();  // closing the window ends the check
    EXPECT_FALSE(f.form.InProgress());
}

}  // namespace
}  // namespace varnel::qt
