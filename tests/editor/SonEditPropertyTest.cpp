// Randomised editing: after every step the line encoding holds and the store is wrapped
// as a full re-wrap would wrap it; at the end, undoing everything gives the original
// bytes and redoing everything the final ones.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "editor/SonEdit.h"
#include "editor/StoreChecks.h"
#include "editor/WrapEngine.h"
#include "fakes/EditorFakes.h"
#include "fakes/Fakes.h"

namespace varnel::editor {
namespace {

class RandomEditing : public ::testing::Test {
  protected:
    fakes::CellTextMetrics metrics;
    fakes::MemoryClipboard clipboard;
    fakes::ScriptedPrompter prompter;
    TSonEdit e{metrics, clipboard, prompter};
    std::mt19937 rng{std::getenv("VARNEL_SEED")
                         ? static_cast<unsigned>(std::atoi(std::getenv("VARNEL_SEED")))
                         : 20261206u};
    int lastOp = -1;

    int Pick(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }

    std::string RandomText(bool lineBreaks) {
        static const std::vector<std::string> parts = {
            "a",    "bc", " ", "xyz", "\t", "\x82\xA0", "\x88\x9F", "\x83\x5C", "\xB1",
            "\x82",  // a lone lead byte
        };
        std::string s;
        const int n = 1 + Pick(4);
        for (int i = 0; i < n; ++i) {
            s += parts[static_cast<std::size_t>(Pick(static_cast<int>(parts.size())))];
            if (lineBreaks && Pick(3) == 0)
                s += "\r\n";
        }
        return s;
    }

    DisplayPos RandomPos() { return {Pick(e.Lines().Count()), Pick(30)}; }

    void Step() {
        lastOp = Pick(20);
        switch (lastOp) {
            case 0:
            case 1:
                e.TypeText(RandomText(false));
                break;
            case 2:
                e.KeyDown(vk::kReturn, kShiftNone);
                break;
            case 3:
                e.KeyDown(vk::kDelete, kShiftNone);
                break;
            case 4:
                e.KeyDown(vk::kBack, kShiftNone);
                break;
            case 5:
                e.Select(RandomPos(), RandomPos());
                e.KeyDown(vk::kDelete, kShiftNone);
                break;
            case 6:
                clipboard.SetText(RandomText(true));
                e.PasteFromClipboard();
                break;
            case 7:
                clipboard.SetText(RandomText(false) + "\r\n" + RandomText(false));
                e.SetBoxSelMode(true);
                e.SetInsertMode(Pick(2) == 0);  // overwrite replaces the rectangle
                e.PasteFromClipboard();
                e.SetInsertMode(true);
                e.SetBoxSelMode(false);
                break;
            case 8:
                e.SetInsertMode(false);
                e.TypeText(RandomText(false));
                e.SetInsertMode(true);
                break;
            case 9:
                e.SetWordWrap(!e.WordWrap());
                break;
            case 10:
                e.SetColumn(10 + Pick(20));
                break;
            case 11:
                e.KeyDown(Pick(2) ? vk::kDelete : vk::kBack, kCtrlKey);
                break;
            case 12:
                e.Undo();
                break;
            case 13:
                e.Redo();
                break;
            case 14: {
                static const std::uint16_t keys[] = {vk::kLeft, vk::kRight, vk::kUp,
                                                     vk::kDown, vk::kHome,  vk::kEnd};
                e.KeyDown(keys[Pick(6)], Pick(3) == 0 ? kCtrlKey : kShiftNone);
                break;
            }
            case 15:
                e.Select(RandomPos(), RandomPos());
                e.SetBoxSelMode(true);
                e.DeleteSelection(true, true);
                e.SetBoxSelMode(false);
                break;
            case 16:
                e.Select(RandomPos(), RandomPos());
                e.TypeText(RandomText(true));
                break;
            default:
                e.MoveCaretTo(Pick(30), Pick(e.Lines().Count()));
                break;
        }
    }

    // The store as a full re-wrap with the current settings would leave it.
    std::string WrapFault() {
        if (!e.WordWrap())
            return "";
        WrapEngine w(metrics);
        w.settings.column = e.Column();
        w.settings.tabCount = e.TabCount();
        TSonStrings copy;
        copy.Assign(LinesOf(e.Lines()));
        return w.WrapAll(copy) == LinesOf(e.Lines()) ? "" : "store not wrapped as a whole";
    }
};

TEST_F(RandomEditing, UndoAllAndRedoAllAreExact) {
    e.SetClientSize(400, 300);
    e.SetWrap(true, false);
    e.SetColumn(12);
    e.SetText("first line\r\n\x82\xA0\x82\xA2 tab\there\r\n\r\nlast \x82");
    const std::string original = e.Text();
    for (int step = 0; step < 4000; ++step) {
        Step();
        const std::string fault = StoreFault(e.Lines(), e.WordWrap()) + WrapFault();
        ASSERT_EQ(fault, "") << "after step " << step;
        ASSERT_LT(e.CaretY(), e.Lines().Count());
        ASSERT_FALSE(e.Journal().HistoryLost()) << "after step " << step << " op " << lastOp;
    }
    e.TypeText("end");  // the redo journal is now empty
    const std::string final = e.Text();
    ASSERT_FALSE(e.Journal().HistoryLost());
    ASSERT_TRUE(prompter.asked.empty());
    int undos = 0;
    while (!e.Journal().UndoList().empty() && undos < 100000) {
        e.Undo();
        ++undos;
        ASSERT_EQ(StoreFault(e.Lines(), e.WordWrap()), "");
    }
    EXPECT_EQ(e.Text(), original);
    EXPECT_FALSE(e.Modified());
    while (!e.Journal().RedoList().empty())
        e.Redo();
    EXPECT_EQ(e.Text(), final);
    EXPECT_TRUE(prompter.asked.empty());
}

}  // namespace
}  // namespace varnel::editor
