// The window command table. Later commands add their rows here.
#include "app/CommandTable.h"

#include <array>

#include "app/TForm1.h"

namespace varnel::app {
namespace {

constexpr std::array kMenus{
    MenuSpec{"File1", {"&File", "ファイル(&F)"}},     MenuSpec{"Mail1", {"&Mail", "メール(&M)"}},
    MenuSpec{"Thread2", {"&Thread", "スレッド(&T)"}}, MenuSpec{"Pelk1", {"&Pelk", "ペルク(&D)"}},
    MenuSpec{"View1", {"&View", "表示(&V)"}},
};

constexpr std::array kCommands{
    CommandSpec{"Save1", "File1", {"&Save", "保存(&S)"}, "Save", false, &TForm1::Save1Click},
    CommandSpec{"SaveAs1",
                "File1",
                {"Save &As ...", "名前を付けて保存(&A) ..."},
                "",
                false,
                &TForm1::SaveAs1Click},
    CommandSpec{"Exit1", "File1", {"E&xit", "終了(&X)"}, "Exit", false, &TForm1::FileExitClick},
    CommandSpec{
        "Header1", "View1", {"&Header", "ヘッダー(&H)"}, "Header", true, &TForm1::Header1Click},
    CommandSpec{"ViewerMode1",
                "View1",
                {"&Viewer mode", "読み出し専用(&V)"},
                "ViewerMode",
                true,
                &TForm1::ViewerMode1Click},
    CommandSpec{"Decode1", "Mail1", {"&Decode", "デコード(&D)"}, "", false, &TForm1::Decode1Click},
    CommandSpec{"DecodeZenkaku1",
                "Mail1",
                {"Decode &Zenkaku", "全角変換デコード(&Z)"},
                "",
                false,
                &TForm1::DecodeZenkaku1Click},
    CommandSpec{"Focus1", "Mail1", {"&Focus", "フォーカス(&F)"}, "", false, &TForm1::Focus1Click},
    CommandSpec{"Thread1",
                "Thread2",
                {"Thread &Window", "ペルクスレッド表示(&W)"},
                "PelkThread",
                false,
                &TForm1::Thread1Click},
    CommandSpec{"CloseThread1",
                "Thread2",
                {"&Close Thread Window", "スレッド表示を閉じる(&C)"},
                "PelkThreadClose",
                false,
                &TForm1::CloseThread1Click},
    CommandSpec{
        "Next2", "Pelk1", {"&Next", "次のメール(&N)"}, "PelkNext", false, &TForm1::Next2Click},
    CommandSpec{
        "Top1", "Pelk1", {"&Home", "最初のメール(&H)"}, "PelkHome", false, &TForm1::Top1Click},
    CommandSpec{
        "End1", "Pelk1", {"&End", "最後のメール(&E)"}, "PelkEnd", false, &TForm1::End1Click},
    CommandSpec{"PreviousFolder1",
                "Pelk1",
                {"Pre&vious Folder", "前のフォルダ(&V)"},
                "",
                false,
                &TForm1::PreviousFolder1Click},
    CommandSpec{"NextFolder1",
                "Pelk1",
                {"Ne&xt Folder", "次のフォルダ(&X)"},
                "PelkNextFolder",
                false,
                &TForm1::NextFolder1Click},
    CommandSpec{"Find2", "Pelk1", {"&Find", "検索(&F)"}, "PelkFind", false, &TForm1::Find2Click},
    CommandSpec{"Receive1",
                "Pelk1",
                {"&Receive", "受信(&R)"},
                "PelkReceive",
                false,
                &TForm1::Receive1Click},
    CommandSpec{"Realize1",
                "Pelk1",
                {"&Decode", "添付ファイル復元(&D)"},
                "PelkRealize",
                false,
                &TForm1::Realize1Click},
    CommandSpec{"Pilvo1Search1",
                "View1",
                {"&Pilvo1 search", "ピルボ1順(&P)"},
                "",
                true,
                &TForm1::Pilvo1Search1Click},
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
