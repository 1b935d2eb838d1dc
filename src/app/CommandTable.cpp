// The window command table. Later commands add their rows here.
#include "app/CommandTable.h"

#include <array>

#include "app/SettingsLoader.h"
#include "app/TForm1.h"

namespace varnel::app {
namespace {

constexpr std::array kMenus{
    MenuSpec{"File1", {"&File", "ファイル(&F)"}},     MenuSpec{"Mail1", {"&Mail", "メール(&M)"}},
    MenuSpec{"Thread2", {"&Thread", "スレッド(&T)"}}, MenuSpec{"Pelk1", {"&Pelk", "ペルク(&D)"}},
    MenuSpec{"Edit1", {"&Edit", "編集(&E)"}},         MenuSpec{"View1", {"&View", "表示(&V)"}},
    MenuSpec{"Link1", {"&Link", "リンク(&L)"}},       MenuSpec{"Help1", {"&Help", "ヘルプ(&H)"}},
};

constexpr std::array kCommands{
    CommandSpec{"SaveandQuit1",
                "File1",
                {"Send &Mail", "送信(&M)"},
                "SaveQuit",
                false,
                &TForm1::SaveandQuit1Click},
    CommandSpec{"Reply1", "Mail1", {"&Reply", "返信(&R)"}, "Reply", false, &TForm1::Reply1Click},
    CommandSpec{"ReplyAll1",
                "Mail1",
                {"Reply &All", "全員に返信(&A)"},
                "ReplyAll",
                false,
                &TForm1::ReplyAllClick},
    CommandSpec{"ReplyLater1",
                "Mail1",
                {"Reply &Later ", "返信マーク(&L)"},
                "ReplyLater",
                false,
                &TForm1::ReplyLater1Click},
    CommandSpec{
        "Forward1", "Mail1", {"&Forward", "転送(&F)"}, "Forward", false, &TForm1::Forward1Click},
    CommandSpec{"Undo2", "Edit1", {"&Undo", "元に戻す(&U)"}, "", false, &TForm1::Undo2Click},
    CommandSpec{"Redo1", "Edit1", {"&Redo", "やり直し(&R)"}, "Redo", false, &TForm1::Redo1Click},
    CommandSpec{
        "Justify1", "Edit1", {"&Word wrap", "整形(&J)"}, "Reformat", false, &TForm1::Justify1Click},
    CommandSpec{"PasteWithquotation1",
                "Edit1",
                {"Paste &With quotation", "引用符号つき貼り付け(&W)"},
                "PasteWithQuotation",
                false,
                &TForm1::PasteWithquotation1Click},
    CommandSpec{
        "Quote1", "Edit1", {"&Quote", "引用符号付加(&Q)"}, "Quote", false, &TForm1::Quote1Click},
    CommandSpec{"Quote2", "Edit1", {"Quote&2", "引用符号２(&2)"}, "", false, &TForm1::Quote2Click},
    CommandSpec{
        "Comment1", "Edit1", {"&Comment", "コメント(&C)"}, "", false, &TForm1::Comment1Click},
    CommandSpec{"Unquote1",
                "Edit1",
                {"&Delete quotation", "引用符号削除(&D)"},
                "Unquote",
                false,
                &TForm1::Unquote1Click},
    CommandSpec{
        "QEncode1", "Edit1", {"&Q-Encode", "Qエンコード(&Q)"}, "", false, &TForm1::QEncode1Click},
    CommandSpec{"WebBrowzer1",
                "Link1",
                {"&Web browser", "ウェブページ(&W)"},
                "WebBrowser",
                false,
                &TForm1::Webbrowser1Click},
    CommandSpec{"MailTo2",
                "Link1",
                {"&Mail to", "選択したアドレスにメール(&M)"},
                "MailTo",
                false,
                &TForm1::MailTo2Click},
    CommandSpec{
        "About1", "Help1", {"&About", "バージョン表示(&A)"}, "", false, &TForm1::About1Click},
    CommandSpec{"Addressbook1",
                "Link1",
                {"&Address book", "アドレス帳に登録(&A)"},
                "AddressBook",
                false,
                &TForm1::Addressbook1Click},
    CommandSpec{"Deletetempfiles2",
                "File1",
                {"&Delete temp files", "一時ファイル削除(&D)"},
                "",
                false,
                &TForm1::Deletetempfiles2Click},
    CommandSpec{"New1", "File1", {"&New", "新規(&N)"}, "", false, &TForm1::New1Click},
    CommandSpec{"Open1", "File1", {"&Open ...", "開く(&O) ..."}, "", false, &TForm1::FileOpenClick},
    CommandSpec{"Save1", "File1", {"&Save", "保存(&S)"}, "Save", false, &TForm1::Save1Click},
    CommandSpec{"SaveAs1",
                "File1",
                {"Save &As ...", "名前を付けて保存(&A) ..."},
                "",
                false,
                &TForm1::SaveAs1Click},
    CommandSpec{"Exit1", "File1", {"E&xit", "終了(&X)"}, "Exit", false, &TForm1::FileExitClick},
    CommandSpec{"Cut1", "Edit1", {"Cu&t", "カット(&T)"}, "", false, &TForm1::Cut1Click},
    CommandSpec{"Copy1", "Edit1", {"&Copy", "コピー(&C)"}, "", false, &TForm1::Copy1Click},
    CommandSpec{"Paste1", "Edit1", {"&Paste", "貼り付け(&P)"}, "", false, &TForm1::Paste1Click},
    CommandSpec{"SelectAll1",
                "Edit1",
                {"Select &All", "すべて選択(&A)"},
                "",
                false,
                &TForm1::SelectAll1Click},
    CommandSpec{
        "Header1", "View1", {"&Header", "ヘッダー(&H)"}, "Header", true, &TForm1::Header1Click},
    CommandSpec{"ViewerMode1",
                "View1",
                {"&Viewer mode", "読み出し専用(&V)"},
                "ViewerMode",
                true,
                &TForm1::ViewerMode1Click},
    CommandSpec{
        "Back2", "Mail1", {"&Back", "戻る(&B)"}, "HistoryBack", false, &TForm1::FileHistoryBack},
    CommandSpec{"Ahead1",
                "Mail1",
                {"A&Head", "進む(&H)"},
                "HistoryAhead",
                false,
                &TForm1::FileHistoryAhead},
    CommandSpec{
        "Next1", "Mail1", {"&Next mail", "次のメール(&N)"}, "NextMail", false, &TForm1::Next1Click},
    CommandSpec{"Back1",
                "Mail1",
                {"&Previous mail", "前のメール(&P)"},
                "PrevMail",
                false,
                &TForm1::Prev1Click},
    CommandSpec{"Nextnew1",
                "Mail1",
                {"Ne&xt new", "次の未読(&X)"},
                "NextNewMail",
                false,
                &TForm1::Nextnew2Click},
    CommandSpec{"Previousnew1",
                "Mail1",
                {"Pre&vious new", "前の未読(&V)"},
                "PrevNewMail",
                false,
                &TForm1::PrevNew2Click},
    CommandSpec{"Delete1",
                "Mail1",
                {"&Delete mail ", "メール削除(&D)"},
                "DeleteMail",
                false,
                &TForm1::Delete1Click},
    CommandSpec{"TempFile1",
                "Mail1",
                {"&Temporary file", "一時ファイル検索(&T)"},
                "",
                false,
                &TForm1::TempFile1Click},
    CommandSpec{"Decode1", "Mail1", {"&Decode", "デコード(&D)"}, "", false, &TForm1::Decode1Click},
    CommandSpec{"DecodeZenkaku1",
                "Mail1",
                {"Decode &Zenkaku", "全角変換デコード(&Z)"},
                "",
                false,
                &TForm1::DecodeZenkaku1Click},
    CommandSpec{"Focus1", "Mail1", {"&Focus", "フォーカス(&F)"}, "", false, &TForm1::Focus1Click},
    CommandSpec{"ThreadDown1",
                "Thread2",
                {"Thread &Down", "スレッド進む(&D)"},
                "ThreadDown",
                false,
                &TForm1::ThreadDown1Click},
    CommandSpec{"ThreadUp1",
                "Thread2",
                {"Thread &Up", "スレッド戻る(&U)"},
                "ThreadUp",
                false,
                &TForm1::ThreadUp1Click},
    CommandSpec{"NewThread1",
                "Thread2",
                {"&New Thread", "次のスレッド(&N)"},
                "NewThread",
                false,
                &TForm1::NewThread1Click},
    CommandSpec{"ThreadBase1",
                "Thread2",
                {"Thread &Base", "スレッドの先頭(&B)"},
                "ThreadBase",
                false,
                &TForm1::ThreadBase1Click},
    CommandSpec{"SubjectSearch1",
                "Thread2",
                {"&Subject Search", "文字列を含む題名を検索(&S)"},
                "",
                false,
                &TForm1::SubjectSearch1Click},
    CommandSpec{
        "Open2", "Mail1", {"&Open mail ", "メールを開く(&O) ..."}, "", false, &TForm1::Open2Click},
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
        "Prev1", "Pelk1", {"&Previous", "前のメール(&P)"}, "PelkPrev", false, &TForm1::Prev1Click},
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
    CommandSpec{"ToFolder1",
                "Pelk1",
                {"To Folder&1", "振り分けルール１(&1)"},
                "",
                false,
                &TForm1::ToFolder1Click},
    CommandSpec{"ToFolder2",
                "Pelk1",
                {"To Folder&2", "振り分けルール２(&2)"},
                "",
                false,
                &TForm1::ToFolder2Click},
    CommandSpec{"Pilvo1Search1",
                "View1",
                {"&Pilvo1 search", "ピルボ1順(&P)"},
                "",
                true,
                &TForm1::Pilvo1Search1Click},
    CommandSpec{"PelkSearch1",
                "View1",
                {"&Pelk search", "ペルクソート順(&D)"},
                "PelkSearch",
                true,
                &TForm1::PelkSearch1Click},
    CommandSpec{"NumberSearch1",
                "View1",
                {"&Number search", "番号順(&N)"},
                "NumberSearch",
                true,
                &TForm1::NumberSearch1Click},
    CommandSpec{"ThreadSearch1",
                "View1",
                {"&Thread Search", "スレッド順(&T)"},
                "ThreadSearch",
                true,
                &TForm1::ThreadSearch1Click},
    // Paging that steps at the text's ends; the paging keys (no menu); the tool bar's
    // new-mail buttons.
    CommandSpec{
        "PageDown1", "View1", {"Page &Down", "次のページ(&D)"}, "", false, &TForm1::PageDown1Click},
    CommandSpec{
        "PageUp1", "View1", {"Page &Up", "前のページ(&U)"}, "", false, &TForm1::PageUp1Click},
    CommandSpec{"PageDownNext",
                "",
                {"Page down, then next mail", "次のページ・次のメール"},
                "PageDownNext",
                false,
                &TForm1::PageDownNextClick},
    CommandSpec{"PageUpPrev",
                "",
                {"Page up, then previous mail", "前のページ・前のメール"},
                "PageUpPrev",
                false,
                &TForm1::PageUpPrevClick},
    CommandSpec{
        "PageDown", "", {"Page down", "次のページ"}, "PageDown", false, &TForm1::PageDownClick},
    CommandSpec{"PageUp", "", {"Page up", "前のページ"}, "PageUp", false, &TForm1::PageUpClick},
    CommandSpec{"NextNew2", "", {"Next new mail", "次の未読"}, "", false, &TForm1::Nextnew3Click},
    CommandSpec{
        "PrevNew2", "", {"Previous new mail", "前の未読"}, "", false, &TForm1::PrevNew3Click},
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

const CommandSpec* CommandForKey(const KeySettings& keys, int code, bool viewerMode) {
    if (code == 0)
        return nullptr;
    const int key = code & 0xFF;
    // Function keys and keys with Ctrl or more are shortcuts in both modes; plain keys
    // and Shift+key only while nothing can be typed.
    if (!(key >= 0x70 && key <= 0x87) && code <= 0x200 && !viewerMode)
        return nullptr;
    for (const auto& c : kCommands) {
        if (!c.keySetting.empty() && KeyCodeOf(keys, c.keySetting) == code)
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
