// An editor for the text tools' tests: fixed-pitch metrics, memory clipboard, scripted
// prompter.
#pragma once

#include <string>
#include <string_view>

#include "editor/SonEdit2.h"
#include "fakes/EditorFakes.h"
#include "fakes/Fakes.h"

namespace varnel::tools {

struct EditFixture {
    fakes::CellTextMetrics metrics;
    fakes::MemoryClipboard clipboard;
    fakes::ScriptedPrompter prompter;
    editor::TSonEdit2 e{metrics, clipboard, prompter};

    explicit EditFixture(std::string_view text = "", bool wrap = false, int column = 72) {
        e.SetClientSize(800, 16 * 18 + 4);
        e.SetWrap(wrap, false);
        e.SetColumn(column);
        e.SetText(text);
    }
    void UndoAll() {
        for (int i = 0; i < 50 && e.Modified(); ++i)
            e.Undo();
    }
};

}  // namespace varnel::tools
