// The window command table. Later commands add their rows here.
#include "app/CommandTable.h"

#include <array>

#include "app/TForm1.h"

namespace varnel::app {
namespace {

constexpr std::array kMenus{
    MenuSpec{"File1", {"&File", "ファイル(&F)"}},
    MenuSpec{"View1", {"&View", "表示(&V)"}},
};

constexpr std::array kCommands{
    CommandSpec{"Exit1", "File1", {"E&xit", "終了(&X)"}, "Exit", false, &TForm1::FileExitClick},
    CommandSpec{"ViewerMode1",
                "View1",
                {"&Viewer mode", "読み出し専用(&V)"},
                "ViewerMode",
                true,
                &TForm1::ViewerMode1Click},
};

}  // namespace

std::span<const MenuSpec> Menus() {
    return kMenus;
}

std::span<const CommandSpec> Commands() {
    return kCommands;
}

const CommandSpec* FindCommand(std::string_view name) {
    for (const auto& c : kCommands) {
        if (c.name == name)
            return &c;
    }
    return nullptr;
}

bool RunCommand(TForm1& form, std::string_view name) {
    const CommandSpec* c = FindCommand(name);
    if (!c)
        return false;
    (form.*(c->handler))();
    return true;
}

}  // namespace varnel::app
