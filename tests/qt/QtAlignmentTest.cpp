// The window as it is drawn: the ruler above the editor lines up with the text columns
// whatever the line-number margin, also after the window was shrunk and enlarged with
// the caret at a line end, and line numbers of a long text are drawn whole. Checked in
// the pixels of the window grabbed offscreen (VARNEL_SHOTS=DIR keeps the images).
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPixmap>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "TempDir.h"
#include "app/CommandTable.h"
#include "app/TForm1.h"
#include "fakes/Fakes.h"
#include "qt/QtFormHarness.h"
#include "qt/QtMainWindow.h"
#include "qt/QtSonEdit2.h"

namespace varnel::qt {
namespace {

namespace fs = std::filesystem;

const std::string kPattern =
    "----+----1----+----2----+----3----+----4----+----5----+----6----+----7----+----8";

// A window on an untitled text with the given settings; Open loads a file as a user
// does through File > Open.
struct Window : QtFormHarness {
    testing::TempDir dir;

    explicit Window(const std::string& view) {
        StartForm({}, dir.Write("varnel32.ini", "[View]\r\nRuler=1\r\n" + view));
        window.resize(700, 400);
        window.show();
    }
    ~Window() {
        prompter.script = {platform::Answer::No};
        window.close();
    }
    void Open(const std::string& bytes) {
        const std::string file = dir.Write("text.txt", bytes);
        dialogs.script = {file};
        app::RunCommand(*form, "Open1");
        ASSERT_EQ(form->CurrentMailFile, file);
    }
    void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, key, mods);
        QCoreApplication::sendEvent(window.TextView(), &press);
    }
    QImage Grab(const char* name) {
        QCoreApplication::processEvents();
        QImage image = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
        if (const char* shots = std::getenv("VARNEL_SHOTS"))
            image.save(QString::fromStdString(std::string(shots) + "/" + name + ".png"));
        return image;
    }
    editor::TSonEdit2& Core() { return form->SonEdit1(); }
    // A display line of the editor as a rectangle of the window.
    QRect Row(int line) {
        const editor::TSonEdit2& e = Core();
        const QPoint origin = window.TextView()->viewport()->mapTo(&window, QPoint(0, 0));
        return {origin.x(), origin.y() + (line - e.TopLine()) * e.LinePitch() + e.TopMargin(),
                window.TextView()->viewport()->width(), e.CharHeight()};
    }
    QRect RulerRect() {
        QWidget* ruler = window.findChild<QWidget*>(QStringLiteral("Ruler"));
        return {ruler->mapTo(&window, QPoint(0, 0)), ruler->size()};
    }
};

// Per column of the window, the pixels of a band that are far from the band's
// commonest colour (ink).
std::vector<int> InkProfile(const QImage& image, const QRect& band) {
    std::map<QRgb, int> count;
    for (int y = band.top(); y <= band.bottom(); ++y)
        for (int x = band.left(); x <= band.right(); ++x)
            ++count[image.pixel(x, y)];
    QRgb background = 0;
    int most = -1;
    for (const auto& [rgb, n] : count)
        if (n > most)
            most = n, background = rgb;
    std::vector<int> ink(static_cast<std::size_t>(image.width()), 0);
    for (int y = band.top(); y <= band.bottom(); ++y)
        for (int x = band.left(); x <= band.right(); ++x)
            if (std::abs(qGray(image.pixel(x, y)) - qGray(background)) > 100)
                ++ink[static_cast<std::size_t>(x)];
    return ink;
}

// How far the ruler's ink is from the text's when the ruler is moved by shift pixels,
// over the window columns [x0, x1): the share of the ink that does not match.
double Mismatch(const std::vector<int>& ruler, const std::vector<int>& text, int x0, int x1,
                int shift) {
    long diff = 0, total = 0;
    for (int x = x0; x < x1; ++x) {
        const int r = x + shift;
        const int rv =
            r >= 0 && r < static_cast<int>(ruler.size()) ? ruler[static_cast<std::size_t>(r)] : 0;
        diff += std::abs(rv - text[static_cast<std::size_t>(x)]);
        total += text[static_cast<std::size_t>(x)];
    }
    return total == 0 ? 1.0 : static_cast<double>(diff) / static_cast<double>(total);
}

// The ruler against the display line that shows kPattern (the line before the last):
// the shift in pixels that lays the ruler best over the text, and how well the ruler
// matches where it stands. Only the columns of the pattern itself are compared.
struct Alignment {
    int bestShift = 0;
    double mismatch = 1.0;
};
Alignment RulerAgainstText(Window& w, const QImage& image) {
    const editor::TSonEdit2& e = w.Core();
    const QRect row = w.Row(e.Lines().Count() - 2);
    const std::vector<int> ruler = InkProfile(image, w.RulerRect());
    const std::vector<int> text = InkProfile(image, row);
    const int x0 = row.left() + e.TextLeft();
    const int x1 = std::min<int>(
        row.right(), x0 + static_cast<int>(kPattern.size()) * e.CellWidth() - e.HorzOffset());
    EXPECT_GT(x1 - x0, 10 * e.CellWidth()) << "the patterned line is not in view";
    Alignment a;
    a.mismatch = Mismatch(ruler, text, x0, x1, 0);
    double best = a.mismatch;
    for (int s = -300; s <= 300; ++s) {
        const double m = Mismatch(ruler, text, x0, x1, s);
        if (m < best)
            best = m, a.bestShift = s;
    }
    return a;
}

struct Margin {
    const char* name;
    int lines;  // lines of text before the patterned ones
};

class RulerAlignment : public ::testing::TestWithParam<Margin> {};

// The text: many short lines, then patterned lines; the last one fits the window and
// scrolls when the window is narrow.
std::string TextWith(int lines) {
    std::string text;
    text.reserve(static_cast<std::size_t>(lines) * 3 + 400);
    for (int i = 0; i < lines; ++i)
        text += "x\r\n";
    text += kPattern + "\r\n" + kPattern + "\r\n" + kPattern.substr(0, 40);
    return text;
}

// The ruler lies over the patterned line when the ruler's ink and the line's agree.
void ExpectAligned(Window& w, const char* shot) {
    const Alignment a = RulerAgainstText(w, w.Grab(shot));
    EXPECT_LT(a.mismatch, 0.05) << shot << ": the ruler is " << a.bestShift
                                << " px off the text (text left " << w.Core().TextLeft()
                                << ", offset " << w.Core().HorzOffset() << ")";
}

// The line numbers are drawn whole: the last number starts right of the window's edge
// (text scrolled sideways stays out of the margin) and is as wide as its digits.
void ExpectWholeNumbers(Window& w, const char* shot) {
    const editor::TSonEdit2& e = w.Core();
    const QRect row = w.Row(e.Lines().Count() - 1);
    const QRect numbers(row.left(), row.top(), e.TextLeft() - 5, row.height());
    const std::vector<int> ink = InkProfile(w.Grab(shot), numbers);
    int left = -1, right = -1;
    for (int x = numbers.left(); x <= numbers.right(); ++x)
        if (ink[static_cast<std::size_t>(x)] > 0) {
            if (left < 0)
                left = x;
            right = x;
        }
    const int digits = static_cast<int>(std::to_string(e.Lines().Count()).size());
    EXPECT_GT(left, numbers.left()) << shot << ": number cut at the left";
    EXPECT_GE(right - left + 1, (digits - 1) * e.CellWidth()) << shot << ": number cut";
}

TEST_P(RulerAlignment, RulerMeetsTheTextColumns) {
    const Margin m = GetParam();
    const std::string name(m.name);
    Window w("LineNum=1\r\nWordWrap=0\r\n");
    w.Open(TextWith(m.lines));
    w.Key(Qt::Key_End, Qt::ControlModifier);  // the caret at the end of the last line
    editor::TSonEdit2& e = w.Core();
    EXPECT_EQ(e.HorzOffset(), 0);
    ExpectAligned(w, (name + "-wide").c_str());

    ExpectWholeNumbers(w, (name + "-numbers").c_str());

    // Shrunk with the caret at the end of the last line, then enlarged again.
    w.window.resize(330, 400);
    EXPECT_GT(e.HorzOffset(), 0);
    EXPECT_EQ(e.HorzOffset() % e.CellWidth(), 0) << "no half glyphs";
    ExpectAligned(w, (name + "-narrow").c_str());
    ExpectWholeNumbers(w, (name + "-narrow-numbers").c_str());
    w.window.resize(1000, 400);
    EXPECT_EQ(e.HorzOffset(), 0) << "the whole line fits again";
    ExpectAligned(w, (name + "-enlarged").c_str());
}

INSTANTIATE_TEST_SUITE_P(Margins, RulerAlignment,
                         ::testing::Values(Margin{"short", 3}, Margin{"lines99999", 99'997},
                                           Margin{"lines1000000", 999'997}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace varnel::qt
