// Offscreen: the pick list's clicks, and from the main window printing into a PDF and a
// spelling check through the spell-check window with Hunspell.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "TempDir.h"
#include "app/TForm1.h"
#include "fakes/Fakes.h"
#include "qt/QtFormHarness.h"
#include "qt/QtPickList.h"
#include "qt/QtPrinter.h"
#include "qt/QtSpellWindow.h"
#include "text/Sjis.h"

namespace varnel::qt {
namespace {

namespace fs = std::filesystem;

using varnel::testing::ReadAll;

using varnel::testing::CommandOutput;

// x of the first word of each text line in a PDF (points), from pdftotext's boxes.
std::vector<double> LineStarts(const fs::path& pdf) {
    std::vector<double> starts;
    std::istringstream in(CommandOutput("pdftotext -bbox '" + pdf.string() + "' -"));
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

// Width of one cell: the underline is 25 of them.
double UnderlineCell(const fs::path& pdf) {
    const std::string bbox = CommandOutput("pdftotext -bbox '" + pdf.string() + "' -");
    const auto box = bbox.rfind("<word", bbox.find("_________________________"));
    const double x0 = std::stod(bbox.substr(bbox.find("xMin=\"", box) + 6));
    const double x1 = std::stod(bbox.substr(bbox.find("xMax=\"", box) + 6));
    return (x1 - x0) / 25;
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

// The main window on a draft, with its core, offscreen.
struct WindowFixture : QtFormHarness {
    testing::TempDir tmp;
    fs::path dir = tmp.path();
    fs::path ini = dir / "varnel32.ini";

    WindowFixture(const std::string& text, const std::string& settings) {
        const std::string draft = tmp.Write("Pelk/out/0003.txt", text);
        tmp.Write("varnel32.ini", settings);
        const std::string home = (dir / "Pelk").string();
        StartForm({draft}, ini,
                  [home](const std::string& n) { return n == "PELKHOME" ? home : std::string(); });
        window.show();
    }
    ~WindowFixture() { window.SpellWindowWidget()->hide(); }
    void Menu(const char* item) {
        auto* action = window.findChild<QAction*>(item);
        ASSERT_NE(action, nullptr) << item;
        action->trigger();
    }
    void Click(const char* button) {
        auto* b = window.SpellWindowWidget()->findChild<QPushButton*>(button);
        ASSERT_NE(b, nullptr) << button;
        b->click();
    }
    std::string Field(const char* name) {
        return window.SpellWindowWidget()->findChild<QLineEdit*>(name)->text().toStdString();
    }
    QListWidget* Suggestions() {
        return window.SpellWindowWidget()->findChild<QListWidget*>("ListBox1");
    }
};

// The PDF holds the printed lines, titled by the Subject, indented by LeftSpace cells.
TEST(QtTextToolsWindowTest, PrintFromTheWindowIntoAPdf) {
    // 日本語 in the first line; the last line has no line end.
    WindowFixture f("Subject: \x93\xfa\x96\x7b\x8c\xea test\r\n\r\nBody line\r\nLast line",
                    "[Printer]\r\nLeftSpace=6\r\nPrintHeader=Varnel print\r\n");
    f.window.Printer().SetPdfOutput(QString::fromStdString((f.dir / "mail.pdf").string()));
    f.Menu("Print1");
    EXPECT_EQ(CommandOutput("pdftotext -layout '" + (f.dir / "mail.pdf").string() + "' -"),
              "Varnel print\n_________________________\nSubject: 日本語 test\n\nBody line\n"
              "Last line\n\f");
    const std::string info = CommandOutput("pdfinfo '" + (f.dir / "mail.pdf").string() + "'");
    const std::size_t title = info.find("Title:");
    ASSERT_NE(title, std::string::npos);
    EXPECT_EQ(text::TrimBlanks(info.substr(title + 6, info.find('\n', title) - title - 6)),
              "日本語 test");
    // pdftotext lays text out from the leftmost glyph on the page, so the indent is
    // measured from the glyph boxes: six cells more than the same print with LeftSpace 0.
    std::ofstream(f.ini, std::ios::binary)
        << "[Printer]\r\nLeftSpace=0\r\nPrintHeader=Varnel print\r\n";
    f.window.Printer().SetPdfOutput(QString::fromStdString((f.dir / "plain.pdf").string()));
    f.Menu("Print1");
    const std::vector<double> indented = LineStarts(f.dir / "mail.pdf");
    const std::vector<double> plain = LineStarts(f.dir / "plain.pdf");
    ASSERT_EQ(indented.size(), 5u);
    ASSERT_EQ(plain.size(), 5u);
    const double cell = UnderlineCell(f.dir / "plain.pdf");
    for (std::size_t i = 0; i < indented.size(); ++i)
        EXPECT_NEAR(indented[i] - plain[i], 6 * cell, 0.2) << "line " << i;
}

TEST(QtTextToolsWindowTest, SpellCheckThroughTheWindow) {
    const std::string draft =
        "Subject: Test\r\n\r\nI wrote a drafft of teh letter.\r\nIt is is nerly done";
    WindowFixture f(draft, "[SpellCheck]\r\nSpellChecker=1\r\n");
    editor::TSonEdit2& edit = f.form->SonEdit1();
    ASSERT_FALSE(edit.ReadOnly);
    f.form->RunSecondPhase();  // SpellChecker, which enables the item, is read there
    edit.MoveCaretTo(0, 0);    // the check starts in the caret's paragraph
    f.Menu("SpellCheck1");

    // The user's dictionary is made beside the settings file.
    const fs::path userDic = f.dir / "UserDic.txt";
    ASSERT_FALSE(f.prompter.asked.empty());
    EXPECT_EQ(f.prompter.asked[0], "Empty dictionary " + userDic.string() + " has been created.");
    ASSERT_TRUE(f.window.SpellWindowWidget()->isVisible());
    EXPECT_EQ(f.Field("Edit2"), "drafft");
    EXPECT_EQ(edit.GetSelText(), "drafft");
    const auto found = f.Suggestions()->findItems("draft", Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    emit f.Suggestions()->itemClicked(found[0]);
    EXPECT_EQ(f.Field("Edit1"), "draft");
    f.Click("ChangeButton");

    EXPECT_EQ(f.Field("Edit2"), "teh");
    f.Click("IgnoreButton");

    EXPECT_EQ(f.Field("Edit2"), "is");
    ASSERT_EQ(f.Suggestions()->count(), 1);
    EXPECT_EQ(f.Suggestions()->item(0)->text().toStdString(), "(Duplicate words.)");
    f.Click("ChangeButton");  // the empty replacement takes the doubled word out

    EXPECT_EQ(f.Field("Edit2"), "nerly");  // on the last line, which has no line end
    f.Click("AddButton");

    EXPECT_FALSE(f.form->Form2().InProgress());
    EXPECT_FALSE(f.window.SpellWindowWidget()->isVisible());
    EXPECT_EQ(f.prompter.asked.back(), "Spell Check Complete.");
    EXPECT_EQ(ReadAll(userDic), "nerly\n");
    EXPECT_EQ(edit.Text(),
              "Subject: Test\r\n\r\nI wrote a draft of teh letter.\r\nIt is  nerly done");
    EXPECT_NE(ReadAll(f.ini).find("IgnoreCapital=1"), std::string::npos);

    for (int i = 0; i < 10 && edit.Modified(); ++i)
        edit.Undo();
    EXPECT_EQ(edit.Text(), draft);

    // The added word is known to the next check: it stops on "teh" only.
    edit.MoveCaretTo(0, 0);
    f.Menu("SpellCheck1");
    EXPECT_EQ(f.Field("Edit2"), "drafft");
    f.Click("IgnoreButton");
    EXPECT_EQ(f.Field("Edit2"), "teh");
    f.Click("IgnoreButton");
    EXPECT_EQ(f.Field("Edit2"), "is");
    f.Click("IgnoreButton");
    EXPECT_FALSE(f.form->Form2().InProgress());
}

}  // namespace
}  // namespace varnel::qt
