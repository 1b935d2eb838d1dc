// The window's menus, pop-up menu and tool bar against the published tables: every item
// in its place with both captions, separators where they stand, and each item either
// runs its handler when chosen or is disabled.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>

#include "TempDir.h"
#include "app/CommandTable.h"
#include "app/TForm1.h"
#include "fakes/EditorFakes.h"
#include "fakes/Fakes.h"
#include "fakes/ToolFakes.h"
#include "qt/QtMainWindow.h"
#include "qt/QtTestApp.h"

namespace varnel::qt {
namespace {

namespace fs = std::filesystem;
using app::TForm1;
using Handler = void (TForm1::*)();

struct Item {
    const char* menu;
    const char* name;
    const char* english;
    const char* japanese;  // "" for tool buttons: their hints are English
    bool separatorBefore;
    Handler handler;  // nullptr: the command is still to come, and its item disabled
};

constexpr bool S = true;  // a separator stands before the item

// clang-format off
const Item kItems[] = {
    {"File1", "SaveandQuit1", "Send &Mail", "送信(&M)", false, &TForm1::SaveandQuit1Click},
    {"File1", "Print1", "&Print", "印刷(&P)", S, &TForm1::Print1Click},
    {"File1", "PrintFont1", "Print &Font ...", "印刷フォント(&F) ...", false, &TForm1::PrintFont1Click},
    {"File1", "Deletetempfiles2", "&Delete temp files", "一時ファイル削除(&D)", false, &TForm1::Deletetempfiles2Click},
    {"File1", "New1", "&New", "新規(&N)", S, &TForm1::New1Click},
    {"File1", "Open1", "&Open ...", "開く(&O) ...", false, &TForm1::FileOpenClick},
    {"File1", "Save1", "&Save", "保存(&S)", false, &TForm1::Save1Click},
    {"File1", "SaveAs1", "Save &As ...", "名前を付けて保存(&A) ...", false, &TForm1::SaveAs1Click},
    {"File1", "Exit1", "E&xit", "終了(&X)", false, &TForm1::FileExitClick},
    {"Mail1", "Back2", "&Back", "戻る(&B)", false, &TForm1::FileHistoryBack},
    {"Mail1", "Ahead1", "A&Head", "進む(&H)", false, &TForm1::FileHistoryAhead},
    {"Mail1", "Next1", "&Next mail", "次のメール(&N)", false, &TForm1::Next1Click},
    {"Mail1", "Back1", "&Previous mail", "前のメール(&P)", false, &TForm1::Prev1Click},
    {"Mail1", "Nextnew1", "Ne&xt new", "次の未読(&X)", false, &TForm1::Nextnew2Click},
    {"Mail1", "Previousnew1", "Pre&vious new", "前の未読(&V)", false, &TForm1::PrevNew2Click},
    {"Mail1", "Delete1", "&Delete mail ", "メール削除(&D)", false, &TForm1::Delete1Click},
    {"Mail1", "Reply1", "&Reply", "返信(&R)", false, &TForm1::Reply1Click},
    {"Mail1", "ReplyAll1", "Reply &All", "全員に返信(&A)", false, &TForm1::ReplyAllClick},
    {"Mail1", "ReplyLater1", "Reply &Later ", "返信マーク(&L)", false, &TForm1::ReplyLater1Click},
    {"Mail1", "Forward1", "&Forward", "転送(&F)", false, &TForm1::Forward1Click},
    {"Special2", "ShowAll1", "Show &All", "すべて表示(&A)", false, &TForm1::ShowAll1Click},
    {"Special2", "TempFile1", "&Temporary file", "一時ファイル検索(&T)", false, &TForm1::TempFile1Click},
    {"Special2", "Decode1", "&Decode", "デコード(&D)", false, &TForm1::Decode1Click},
    {"Special2", "DecodeZenkaku1", "Decode &Zenkaku", "全角変換デコード(&Z)", false, &TForm1::DecodeZenkaku1Click},
    {"Special2", "Focus1", "&Focus", "フォーカス(&F)", false, &TForm1::Focus1Click},
    {"Special2", "Open2", "&Open mail ", "メールを開く(&O) ...", false, &TForm1::Open2Click},
    {"Thread2", "ThreadDown1", "Thread &Down", "スレッド進む(&D)", false, &TForm1::ThreadDown1Click},
    {"Thread2", "ThreadUp1", "Thread &Up", "スレッド戻る(&U)", false, &TForm1::ThreadUp1Click},
    {"Thread2", "NewThread1", "&New Thread", "次のスレッド(&N)", false, &TForm1::NewThread1Click},
    {"Thread2", "ThreadBase1", "Thread &Base", "スレッドの先頭(&B)", false, &TForm1::ThreadBase1Click},
    {"Thread2", "SubjectSearch1", "&Subject Search", "文字列を含む題名を検索(&S)", false, &TForm1::SubjectSearch1Click},
    {"Thread2", "Thread1", "Thread &Window", "ペルクスレッド表示(&W)", S, &TForm1::Thread1Click},
    {"Thread2", "CloseThread1", "&Close Thread Window", "スレッド表示を閉じる(&C)", false, &TForm1::CloseThread1Click},
    {"Pelk1", "Prev1", "&Previous", "前のメール(&P)", false, &TForm1::Prev1Click},
    {"Pelk1", "Next2", "&Next", "次のメール(&N)", false, &TForm1::Next2Click},
    {"Pelk1", "Top1", "&Home", "最初のメール(&H)", false, &TForm1::Top1Click},
    {"Pelk1", "End1", "&End", "最後のメール(&E)", false, &TForm1::End1Click},
    {"Pelk1", "PreviousFolder1", "Pre&vious Folder", "前のフォルダ(&V)", false, &TForm1::PreviousFolder1Click},
    {"Pelk1", "NextFolder1", "Ne&xt Folder", "次のフォルダ(&X)", false, &TForm1::NextFolder1Click},
    {"Pelk1", "Find2", "&Find", "検索(&F)", S, &TForm1::Find2Click},
    {"Pelk1", "Receive1", "&Receive", "受信(&R)", false, &TForm1::Receive1Click},
    {"Pelk1", "Realize1", "&Decode", "添付ファイル復元(&D)", false, &TForm1::Realize1Click},
    {"Pelk1", "ToFolder1", "To Folder&1", "振り分けルール１(&1)", S, &TForm1::ToFolder1Click},
    {"Pelk1", "ToFolder2", "To Folder&2", "振り分けルール２(&2)", false, &TForm1::ToFolder2Click},
    {"Edit1", "Undo2", "&Undo", "元に戻す(&U)", false, &TForm1::Undo2Click},
    {"Edit1", "Redo1", "&Redo", "やり直し(&R)", false, &TForm1::Redo1Click},
    {"Edit1", "Justify1", "&Word wrap", "整形(&J)", false, &TForm1::Justify1Click},
    {"Edit1", "SpellCheck1", "&Spell Check", "&Spell Check", false, &TForm1::SpellCheck1Click},
    {"Edit1", "PasteWithquotation1", "Paste &With quotation", "引用符号つき貼り付け(&W)", S, &TForm1::PasteWithquotation1Click},
    {"Edit1", "Quote1", "&Quote", "引用符号付加(&Q)", false, &TForm1::Quote1Click},
    {"Edit1", "Quote2", "Quote&2", "引用符号２(&2)", false, &TForm1::Quote2Click},
    {"Edit1", "Comment1", "&Comment", "コメント(&C)", false, &TForm1::Comment1Click},
    {"Edit1", "Unquote1", "&Delete quotation", "引用符号削除(&D)", false, &TForm1::Unquote1Click},
    {"Edit1", "Find1", "&Find ...", "検索(&F) ...", S, &TForm1::Find1Click},
    {"Edit1", "FindNext1", "Find &Next", "次を検索(&N)", false, &TForm1::FindNext1Click},
    {"Edit1", "Replace1", "&Replace ...", "置換(&R) ...", false, &TForm1::Replace1Click},
    {"Edit1", "ImeMode1", "&Ime Mode", "かな漢モード(&I)", S, &TForm1::ImeMode1Click},
    {"Special1", "DeleteFwdHeader1", "Delete &Fwd Header", "転送ヘッダ除去(&F)", false, &TForm1::DeleteFwdHeader1Click},
    {"Special1", "SimpleMultiPart1", "Simple &MultiPart", "シンプルマルチパート(&M)", false, &TForm1::SimpleMultiPart1Click},
    {"Special1", "DeleteHTML1", "Delete &HTML part", "HTML除去(&H)", false, &TForm1::DeleteHTML1Click},
    {"Special1", "QEncode1", "&Q-Encode", "Qエンコード(&Q)", false, &TForm1::QEncode1Click},
    {"Edit2", "Cut1", "Cu&t", "カット(&T)", false, &TForm1::Cut1Click},
    {"Edit2", "Copy1", "&Copy", "コピー(&C)", false, &TForm1::Copy1Click},
    {"Edit2", "Paste1", "&Paste", "貼り付け(&P)", false, &TForm1::Paste1Click},
    {"Edit2", "Delete2", "&Delete", "削除(&D)", false, &TForm1::Delete2Click},
    {"Edit2", "SelectAll1", "Select &All", "すべて選択(&A)", false, &TForm1::SelectAll1Click},
    {"Edit2", "CutLine1", "Cut &Whole Line", "行を削除(&W)", false, &TForm1::CutLine1Click},
    {"Edit2", "CutRight1", "Cut &Right", "行右削除(&R)", false, &TForm1::CutRight1Click},
    {"Edit2", "CutLeft1", "Cut &Left", "行左削除(&L)", false, &TForm1::CutLeft1Click},
    {"Edit2", "CaseChange1", "&Switch Case", "大文字小文字変換(&S)", false, &TForm1::CaseChange1Click},
    {"Edit2", "ZenkakuHankaku1", "&ZenkakuHankaku", "全角半角変換(&Z)", false, &TForm1::ZenkakuHankaku1Click},
    {"Edit2", "OldTypeface1", "Old &Typeface", "舊字體(&T)", false, &TForm1::OldTypeface1Click},
    {"Insert0", "InsertChar1", "&Insert Char", "特殊文字挿入(&I)", false, &TForm1::InsertChar1Click},
    {"Insert0", "Greek1", "&Greek Char", "ギリシャ文字(&G)", false, &TForm1::Greek1Click},
    {"View1", "Header1", "&Header", "ヘッダー(&H)", false, &TForm1::Header1Click},
    {"View1", "ViewerMode1", "&Viewer mode", "読み出し専用(&V)", false, &TForm1::ViewerMode1Click},
    {"View1", "Europeanfont1", "&European Font", "欧文フォントで表示(&E)", false, &TForm1::Europeanfont1Click},
    {"View1", "WordWrap1", "&Auto wrap mode", "右端で折り返す(&W)", false, &TForm1::WordWrap1Click},
    {"View1", "Option1", "&Option", "オプション(&O)", false, &TForm1::Option1Click},
    {"View1", "Inifile1", "&Ini file", "Iniファイル(&I)", false, &TForm1::Inifile1Click},
    {"View1", "Boxselectionmode1", "&Box selection mode", "矩形選択(&B)", false, &TForm1::Boxselectionmode1Click},
    {"View1", "Pilvo1Search1", "&Pilvo1 search", "ピルボ1順(&P)", S, &TForm1::Pilvo1Search1Click},
    {"View1", "PelkSearch1", "&Pelk search", "ペルクソート順(&D)", false, &TForm1::PelkSearch1Click},
    {"View1", "NumberSearch1", "&Number search", "番号順(&N)", false, &TForm1::NumberSearch1Click},
    {"View1", "ThreadSearch1", "&Thread Search", "スレッド順(&T)", false, &TForm1::ThreadSearch1Click},
    {"Link1", "WebBrowzer1", "&Web browser", "ウェブページ(&W)", false, &TForm1::Webbrowser1Click},
    {"Link1", "MailTo2", "&Mail to", "選択したアドレスにメール(&M)", false, &TForm1::MailTo2Click},
    {"Link1", "Addressbook1", "&Address book", "アドレス帳に登録(&A)", false, &TForm1::Addressbook1Click},
    {"Link1", "HTMLmail1", "&HTML mail", "HTMLメール表示(&H)", false, &TForm1::HtmlMail1Click},
    {"Link1", "OpenAttachedFile2", "Open Attached &File ", "添付ファイルを開く(&F)", false, &TForm1::OpenAttachedFile1Click},
    {"Link1", "DecodeNumberPart1", "Show with &Browser", "ブラウザで表示(&B)", false, &TForm1::DecodeNumberPart1Click},
    {"Help1", "Contents1", "&Contents", "ヘルプファイル(&C)", false, &TForm1::Contents1Click},
    {"Help1", "About1", "&About", "バージョン表示(&A)", false, &TForm1::About1Click},
    {"Help1", "MailtoAuthor1", "&Mail to Author", "作者にメール(&M)", S, &TForm1::MailtoAuthor1Click},
    {"Help1", "VarnelWebPage1", "Varnel &Webpage", "作者のホームページ(&W)", false, &TForm1::VarnelWebPage1Click},
    {"PopupMenu1", "Cut2", "Cu&t", "カット(&T)", false, &TForm1::Cut1Click},
    {"PopupMenu1", "Copy2", "&Copy", "コピー(&C)", false, &TForm1::Copy1Click},
    {"PopupMenu1", "Paste2", "&Paste", "貼り付け(&P)", false, &TForm1::Paste1Click},
    {"PopupMenu1", "Delete4", "&Delete", "削除(&D)", false, &TForm1::Delete2Click},
    {"PopupMenu1", "SelectAll2", "Select &All", "すべて選択(&A)", false, &TForm1::SelectAll1Click},
    {"PopupMenu1", "Addquotemark1", "Paste with &Quotation", "引用符号つき貼り付け(&Q)", false, &TForm1::PasteWithquotation1Click},
    {"PopupMenu1", "Undo1", "&Undo", "元に戻す(&U)", S, &TForm1::Undo2Click},
    {"PopupMenu1", "Redo2", "&Redo", "やり直し(&R)", false, &TForm1::Redo1Click},
    {"PopupMenu1", "Webbrowser1", "Web &Browser", "ウェブページ(&B)", false, &TForm1::Webbrowser1Click},
    {"PopupMenu1", "Wordwrap2", "&Word Wrap", "右端で折り返す(&W)", false, &TForm1::WordWrap1Click},
    {"PopupMenu1", "MessageId2", "&Thread Up", "メッセージID検索(&T)", false, &TForm1::ThreadUp1Click},
    {"PopupMenu1", "SubjectSearch2", "&Subject Search", "文字列を含む題名を検索(&S)", false, &TForm1::SubjectSearch1Click},
    {"PopupMenu1", "OpenAttachedFile1", "Open Attached &File", "添付ファイルを開く(&F)", false, &TForm1::OpenAttachedFile1Click},
    {"PopupMenu1", "OpenFile1", "&Open File", "文字列の示すファイルを開く(&O)", false, &TForm1::OpenFile1Click},
    {"Panel1", "Send3", "Save and quit", "", false, &TForm1::SaveandQuit1Click},
    {"Panel1", "Save3", "Save", "", false, &TForm1::Save1Click},
    {"Panel1", "Print3", "Print", "", false, &TForm1::Print1Click},
    {"Panel1", "Header3", "Header", "", false, &TForm1::Header1Click},
    {"Panel1", "ReplyToSender", "Reply to Sender", "", false, &TForm1::Reply1Click},
    {"Panel1", "ReplyAll", " Reply to All", "", false, &TForm1::ReplyAllClick},
    {"Panel1", "SpeedButton1", "Reply later", "", false, &TForm1::ReplyLater1Click},
    {"Panel1", "SpeedButton2", "Forward", "", false, &TForm1::Forward1Click},
    {"Panel1", "Delete3", "Delete", "", false, &TForm1::Delete1Click},
    {"Panel1", "Back3", "Previous mail", "", false, &TForm1::Prev1Click},
    {"Panel1", "Next3", "Next mail", "", false, &TForm1::Next1Click},
    {"Panel1", "PageUp3", "Backward", "", false, &TForm1::PageUp3Click},
    {"Panel1", "PageDown3", "Ahead", "", false, &TForm1::PageDown3Click},
    {"Panel1", "PrevNew2", "Previous new mail", "", false, &TForm1::PrevNew3Click},
    {"Panel1", "NextNew2", "Next new mail", "", false, &TForm1::Nextnew3Click},
    {"Panel1", "Undo3", "Undo", "", false, &TForm1::Undo2Click},
    {"Panel1", "Redo3", "Redo", "", false, &TForm1::Redo1Click},
    {"Panel1", "Cut3", "Cut", "", false, &TForm1::Cut1Click},
    {"Panel1", "Copy3", "Copy", "", false, &TForm1::Copy1Click},
    {"Panel1", "Paste3", "Paste", "", false, &TForm1::Paste1Click},
    {"Panel1", "FindNext3", "Find next", "", false, &TForm1::FindNext1Click},
    {"Panel1", "Web3", "Web browser", "", false, &TForm1::Webbrowser1Click},
    {"Panel1", "Mailto3", "Mail to", "", false, &TForm1::MailTo2Click},
    {"Panel1", "Addressbook3", "Address book", "", false, &TForm1::Addressbook1Click},
};

const struct {
    const char* name;
    const char* english;
    const char* japanese;
} kMenuTitles[] = {
    {"File1", "&File", "ファイル(&F)"}, {"Mail1", "&Mail", "メール(&M)"},
    {"Thread2", "&Thread", "スレッド(&T)"}, {"Pelk1", "&Pelk", "ペルク(&D)"},
    {"Reply2", "&Reply", "返信モード(&R)"}, {"Command0", "&Command", "コマンド(&C)"},
    {"Edit1", "&Edit", "編集(&E)"}, {"Insert0", "&Insert", "挿入(&I)"},
    {"View1", "&View", "表示(&V)"}, {"Link1", "&Link", "リンク(&L)"},
    {"Help1", "&Help", "ヘルプ(&H)"}, {"Special2", "&Special", "特殊(&S)"},
    {"Special1", "S&pecial", "特殊(&P)"}, {"Edit2", "&Edit", "編集(&E)"},
};
// clang-format on

QString U(const char* s) {
    return QString::fromUtf8(s);
}

// A window on the first of two received mails, or on a draft in editor mode.
struct MenuWindow {
    explicit MenuWindow(const std::string& iniText, bool draft = false) {
        for (const char* n : {"0001.txt", "0002.txt"})
            tmp.Write(std::string("Pelk/Inbox/") + n,
                      "X-Status: RECV\r\nFrom: a@example.com\r\nSubject: s\r\n\r\nbody "
                      "http://x.org\r\n");
        const std::string out =
            tmp.Write("Pelk/Out/0001.txt", "To: b@example.com\r\nSubject: r\r\n\r\n> q\r\n");
        app::TForm1Setup setup;
        setup.commandLine = app::ParseCommandLine({draft ? out : tmp / "Pelk/Inbox/0001.txt"});
        setup.settingsPath = tmp.Write("varnel32.ini", iniText);
        setup.executablePath = "/usr/bin/varnel32";
        setup.workingDirectory = dir.string();
        setup.env = [this](const std::string& name) {
            return name == "PELKHOME" ? (dir / "Pelk").string() : std::string();
        };
        form = std::make_unique<TForm1>(
            app::TForm1Services{
                window, prompter, clock, channel, t1, t2, t3, windows, windows, launcher,
                window.EditorMetrics(), window.EditorClipboard(), dialogs, printer, pickList,
                spellWindow,
                [](std::string&) { return std::make_unique<fakes::WordListSpeller>(); }},
            std::move(setup));
        window.Bind(form.get());
        form->ShowUp();
        form->RunSecondPhase();
        window.CommandRan = [this](const std::string& name, bool ran) {
            if (ran)
                this->ran.insert(name);
        };
    }
    ~MenuWindow() { form.reset(); }
    QAction* Action(const char* name) { return window.findChild<QAction*>(U(name)); }

    bool appReady = (EnsureQtApp(), true);  // before the first widget
    testing::TempDir tmp;
    fs::path dir = tmp.path();
    QtMainWindow window;
    fakes::ScriptedPrompter prompter;
    fakes::ManualClock clock;
    fakes::RecordingChannel channel;
    fakes::ManualTimer t1, t2, t3;
    fakes::RecordingWindows windows;
    fakes::RecordingLauncher launcher;
    fakes::ScriptedFileDialog dialogs;
    fakes::RecordingPrinter printer;
    fakes::RecordingPickList pickList;
    fakes::RecordingSpellWindow spellWindow;
    std::unique_ptr<TForm1> form;
    std::set<std::string> ran;
};

TEST(QtMenusTest, EveryItemStandsInItsPlaceWithBothCaptions) {
    MenuWindow english("[View]\r\nEnglishMenu=1\r\n");
    MenuWindow japanese("[View]\r\nEnglishMenu=0\r\n");
    // Each menu holds exactly these items, in this order, separators included (the user
    // entries of the settings follow in their menus).
    std::map<std::string, QStringList> expected;
    for (const Item& item : kItems) {
        if (std::string(item.menu) == "Panel1")
            continue;
        if (item.separatorBefore)
            expected[item.menu] << QStringLiteral("-");
        expected[item.menu] << U(item.name);
    }
    for (auto& [menu, names] : expected) {
        QStringList shown;
        for (QAction* a : english.window.Menu(menu)->actions()) {
            if (a->menu() || a->objectName().startsWith(QStringLiteral("Insert")) ||
                a->objectName().startsWith(QStringLiteral("ReplyStatus")) ||
                a->objectName().startsWith(QStringLiteral("Command"))) {
                if (a->objectName() != QStringLiteral("InsertChar1"))
                    continue;
            }
            if (a->isSeparator() && menu == "Insert0")
                continue;  // the separator of the insertion entries
            shown << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
        }
        EXPECT_EQ(shown.join(' ').toStdString(), names.join(' ').toStdString()) << menu;
    }
    for (const Item& item : kItems) {
        SCOPED_TRACE(item.name);
        QAction* en = english.Action(item.name);
        QAction* ja = japanese.Action(item.name);
        ASSERT_NE(en, nullptr);
        ASSERT_NE(ja, nullptr);
        if (std::string(item.menu) == "Panel1") {
            auto* button = english.window.findChild<QToolButton*>(U(item.name));
            ASSERT_NE(button, nullptr);
            EXPECT_EQ(button->defaultAction(), en);
            EXPECT_EQ(en->text(), U(item.english));
            EXPECT_FALSE(en->icon().isNull());
        } else {
            EXPECT_EQ(en->text(), U(item.english));
            EXPECT_EQ(ja->text(), U(item.japanese));
        }
        const app::CommandSpec* c = app::FindCommand(item.name);
        ASSERT_NE(c, nullptr);
        if (item.handler) {
            EXPECT_TRUE(c->handler == item.handler);
        }
    }
    for (const auto& m : kMenuTitles) {
        EXPECT_EQ(english.window.Menu(m.name)->title(), U(m.english)) << m.name;
        EXPECT_EQ(japanese.window.Menu(m.name)->title(), U(m.japanese)) << m.name;
    }
    // The tool bar's buttons stand left to right in the published order.
    english.window.show();
    QCoreApplication::processEvents();
    int x = -1;
    for (const Item& item : kItems) {
        if (std::string(item.menu) != "Panel1")
            continue;
        const int at = english.window.findChild<QToolButton*>(U(item.name))->pos().x();
        EXPECT_GT(at, x) << item.name;
        x = at;
    }
}

// Chosen in the window, an enabled item runs its command; an item that cannot act now is
// disabled. Between a viewer on a mail and an editor on a changed draft, every item with
// a handler runs at least once.
TEST(QtMenusTest, EveryItemRunsItsHandlerOrIsDisabled) {
    std::set<std::string> ran;
    // Each item is chosen in the window's mode: an earlier item may have switched it.
    const auto chooseAll = [&](MenuWindow& w, bool viewer) {
        for (const Item& item : kItems) {
            SCOPED_TRACE(item.name);
            editor::TSonEdit2& e = w.form->SonEdit1();
            e.ReadOnly = viewer;
            if (!viewer && !e.Modified())
                e.SetSelText("y");
            w.form->RefreshCommandStates();
            QAction* a = w.Action(item.name);
            const app::CommandSpec& c = *app::FindCommand(item.name);
            if (!a->isVisible())
                continue;  // a hidden item counts as disabled
            EXPECT_EQ(a->isEnabled(), app::CommandEnabled(*w.form, c));
            if (!c.handler) {
                EXPECT_FALSE(a->isEnabled());
            }
            if (!a->isEnabled())
                continue;
            a->trigger();
            EXPECT_TRUE(w.ran.count(item.name)) << "chosen but not run";
        }
        ran.insert(w.ran.begin(), w.ran.end());
    };
    MenuWindow viewer(
        "[View]\r\nEnglishMenu=1\r\nYellowArrowHistory=0\r\n[SpellCheck]\r\nSpellChecker=1\r\n");
    chooseAll(viewer, true);
    MenuWindow editor(
        "[View]\r\nEnglishMenu=1\r\nDebugMode=1\r\n[SpellCheck]\r\nSpellChecker=1\r\n", true);
    editor.form->SonEdit1().SetSelText("x");  // changed: Undo can act
    editor.form->SonEdit1().Undo();           // and Redo too
    editor.form->SonEdit1().SetSelText("y");
    chooseAll(editor, false);
    // Items that need a state these two windows do not reach: a way back in the history;
    // Delete, shown only in the pop-up menu; Redo, undone by the edit that lets Undo act
    // (its handler runs under Redo2 and Redo3).
    const std::set<std::string> unreached{"Back2", "Ahead1", "Delete2", "Redo1"};
    for (const Item& item : kItems) {
        if (app::FindCommand(item.name)->handler && !unreached.count(item.name)) {
            EXPECT_TRUE(ran.count(item.name)) << item.name << " never ran";
        }
    }
}

}  // namespace
}  // namespace varnel::qt
