// End to end: the stand-in mailer and Varnel windows on a copy of the sample store,
// talking over the command channel in a private runtime directory.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QInputMethodEvent>
#include <algorithm>
#include <map>
#include <memory>

#include "EndToEndSupport.h"
#include "app/CommandTable.h"
#include "app/TForm1.h"
#include "fakes/Fakes.h"
#include "link/ChannelWindows.h"
#include "link/UnixCommandChannel.h"
#include "mail/MailTestFiles.h"
#include "qt/HunspellSpeller.h"
#include "qt/QtClock.h"
#include "qt/QtCommandServer.h"
#include "qt/QtMainWindow.h"
#include "qt/QtSonEdit2.h"
#include "qt/QtTestApp.h"
#include "qt/QtTimer.h"
#include "store/FolderIndex.h"
#include "text/Cp932.h"

namespace varnel::e2e {
namespace {

using platform::Delivery;

void Pump() {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// A viewer window built as varnel32 builds it, inside the test so that its commands
// can be run; a scripted prompter stands in for message boxes.
class Viewer {
  public:
    Viewer(const Store& s, const std::string& file)
        : channel(s.runtime, 2000), windows(channel, {"Pelk", "Pilvo1"}) {
        app::TForm1Setup setup;
        setup.commandLine = app::ParseCommandLine({file});
        setup.settingsPath = s.home + "/varnel32.ini";
        setup.executablePath = VARNEL_BIN_DIR "/varnel32";
        setup.workingDirectory = s.root;
        setup.env = [&s](const std::string& n) {
            return n == "PELKHOME" ? s.home : n == "HOME" ? s.root : std::string();
        };
        form = std::make_unique<app::TForm1>(
            app::TForm1Services{window, prompter, clock, channel, t1, t2, t3, windows, windows,
                                launcher, window.EditorMetrics(), window.EditorClipboard(), dialogs,
                                window.Printer(), window.PickList(), window.SpellWindow(),
                                qt::HunspellSpeller::Factory()},
            std::move(setup));
        window.Bind(form.get());
        form->ShowUp();
        server = std::make_unique<qt::QtCommandServer>(
            s.runtime, "Varnel32", "system",
            [this](const std::string& m) { return form->OnServerExecute(m); });
        std::string error;
        listening = server->Listen(error) == link::UnixCommandServer::ListenResult::Listening;
    }

    link::UnixCommandChannel channel;
    link::ChannelWindows windows;
    qt::QtMainWindow window;
    fakes::ScriptedPrompter prompter;
    fakes::RecordingLauncher launcher;
    fakes::ScriptedFileDialog dialogs;
    qt::QtClock clock;
    qt::QtTimer t1, t2, t3;
    std::unique_ptr<app::TForm1> form;
    std::unique_ptr<qt::QtCommandServer> server;
    bool listening = false;
};

class EndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        qt::EnsureQtApp();
        // Stepping through the mailer's list; English messages.
        std::ofstream(s.home + "/varnel32.ini", std::ios::binary)
            << "[View]\r\nEnglishMenu=1\r\nNextMailMode=1\r\nTimer=100\r\n";
    }
    Store s;
};

TEST_F(EndToEnd, OpeningAMailTellsTheMailerUpdateThenFocus) {
    ASSERT_TRUE(s.StartMailer());
    ASSERT_GT(s.StartViewer(s.Mail("in", "0001")), 0);
    ASSERT_TRUE(WaitFor([&] { return fs::exists(s.runtime + "/varnel32.system"); }, 10000));
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));  // the second phase

    // The mailer asks the viewer to open a mail (as after a view request).
    link::UnixCommandChannel channel(s.runtime, 2000);
    const std::string mail = s.Mail("in", "0008");
    EXPECT_EQ(channel.Execute("Varnel32", "system", "[open(\"" + mail + "\")]"),
              Delivery::Delivered);
    const std::string update = "[Update(" + s.Index("in") + ",0008)]";
    const std::string focus = "[Focus(" + s.Index("in") + ",0008)]";
    ASSERT_TRUE(WaitFor([&] { return s.Find(focus, std::max(0, s.Find(update))) > 0; }, 5000))
        << ReadAll(s.log);
    EXPECT_LT(s.Find(update), s.Find(focus));
    // A second viewer does not take over the first one's socket.
    const pid_t second = s.StartViewer(s.Mail("in", "0002"));
    std::this_thread::sleep_for(std::chrono::milliseconds(800));
    EXPECT_EQ(channel.Execute("Varnel32", "system", "[open(\"" + s.Mail("in", "0003") + "\")]"),
              Delivery::Delivered);
    Stop(second);
    EXPECT_TRUE(fs::exists(s.runtime + "/varnel32.system"));  // still the first one's
}

TEST_F(EndToEnd, NextThroughTheMailerAndAReplyDraftInItsOwnComposeWindow) {
    ASSERT_TRUE(s.StartMailer({"--windows", "main,thread"}));
    Viewer v(s, s.Mail("in", "0003"));
    ASSERT_TRUE(v.listening);
    WaitFor([] { return false; }, 800, Pump);  // the second start-up phase

    // Next through the mailer: the keys go to its thread window on the next tick, the
    // mailer answers with an open request for the following mail.
    ASSERT_TRUE(app::RunCommand(*v.form, "Next2"));
    EXPECT_TRUE(
        WaitFor([&] { return v.form->CurrentMailFile == s.Mail("in", "0004"); }, 5000, Pump))
        << v.form->CurrentMailFile << "\n"
        << ReadAll(s.log);
    EXPECT_TRUE(
        WaitFor([&] { return s.Find("[Update(" + s.Index("in") + ",0004)]") >= 0; }, 3000, Pump));

    // Without its thread window the mailer is driven by the view command.
    ASSERT_EQ(v.channel.Execute("Pelk", "Windows",
                                "[Keys(\"class\",\"PeLk:MaIn\",\"12d 20d 20u 12u 43d 43u\")]"),
              Delivery::Delivered);  // Alt+Space, C on the main window: nothing to close
    ASSERT_TRUE(app::RunCommand(*v.form, "CloseThread1"));
    WaitFor([] { return false; }, 300, Pump);
    ASSERT_TRUE(app::RunCommand(*v.form, "Next2"));
    EXPECT_TRUE(
        WaitFor([&] { return v.form->CurrentMailFile == s.Mail("in", "0005"); }, 5000, Pump))
        << ReadAll(s.log);
    EXPECT_GE(s.Find("[View(\"Next\")]"), 0);

    // Reply: the reply command and then the update, a draft in out/, and a compose
    // window started on it, which tells the mailer about the draft it shows.
    const int from = static_cast<int>(s.LogLines().size());
    v.form->SendReplyCommand();
    const std::string reply = "[Reply(" + s.Index("in") + ",0005)]";
    const std::string update = "[Update(" + s.Index("in") + ",0005)]";
    ASSERT_GE(s.Find(reply, from), 0) << ReadAll(s.log);
    EXPECT_GT(s.Find(update, s.Find(reply, from)), s.Find(reply, from));
    std::string draft;
    ASSERT_TRUE(WaitFor(
        [&] {
            for (const auto& l : s.LogLines()) {
                if (l.starts_with("# draft "))
                    draft = l.substr(8);
            }
            return !draft.empty();
        },
        3000, Pump));
    const std::string number = draft.substr(draft.size() - 8, 4);
    EXPECT_TRUE(
        WaitFor([&] { return s.Find("[Update(" + s.Index("out") + "," + number + ")]") >= 0; },
                10000, Pump))
        << ReadAll(s.log);
    ASSERT_FALSE(s.ViewersStartedByMailer().empty());

    // The compose window takes no open request: with the viewer gone, nobody listens.
    v.server.reset();
    link::UnixCommandChannel channel(s.runtime, 1000);
    EXPECT_EQ(channel.Execute("Varnel32", "system", "[open(\"" + s.Mail("in", "0001") + "\")]"),
              Delivery::NoServer);
    for (pid_t p : s.ViewersStartedByMailer())
        Stop(p);
}

using text::Utf8ToCp932;

void Settle(int ms) {
    WaitFor([] { return false; }, ms, Pump);
}

// The writing loop. The mailer starts no window of its own here (--varnel /bin/true): the
// test builds the compose window on the draft as the mailer's start would.
class WritingLoop : public EndToEnd {
  protected:
    void SetUp() override {
        EndToEnd::SetUp();
        std::ofstream(s.home + "/varnel32.ini", std::ios::binary)
            << "[View]\r\nEnglishMenu=1\r\nTimer=100\r\nGreeting1=2400/Hello/\r\n";
        // recipient.csv sits beside the settings file.
        std::ofstream(s.home + "/recipient.csv", std::ios::binary) << text::Utf8ToCp932(
            "@example.jp,株式会社エグザンプル\r\n"
            "hanako.sato@example.jp,佐藤花子様\r\n");
        ASSERT_TRUE(s.StartMailer({"--varnel", "/bin/true"}));
    }
    std::string DraftFromLog(int from) {
        std::string draft;
        WaitFor(
            [&] {
                const auto lines = s.LogLines();
                for (std::size_t i = static_cast<std::size_t>(from); i < lines.size(); ++i) {
                    if (lines[i].starts_with("# draft "))
                        draft = lines[i].substr(8);
                }
                return !draft.empty();
            },
            5000, Pump);
        return draft;
    }
    static std::string Text(const Viewer& v) { return v.form->SonEdit1().Text(); }
    // Types text into the window's editor through the input method, at line, column 0.
    static void Type(Viewer& v, int line, const char* utf8) {
        v.form->SonEdit1().MoveCaretTo(0, line);
        QInputMethodEvent ev;
        ev.setCommitString(QString::fromUtf8(utf8));
        QCoreApplication::sendEvent(v.window.TextView(), &ev);
    }
    static int LineStarting(const Viewer& v, const std::string& start) {
        const auto& lines = v.form->SonEdit1().Lines();
        for (int i = 0; i < lines.Count(); ++i) {
            if (lines.Get(i).starts_with(start))
                return i;
        }
        return -1;
    }
};

TEST_F(WritingLoop, ReplyToAJapaneseMailQuoteReformatTypeAndSend) {
    Viewer v(s, s.Mail("in", "0001"));
    Settle(600);  // the second start-up phase
    const int from = static_cast<int>(s.LogLines().size());
    // Enter in the viewer is Reply All: the key as the editor widget hands it to the window
    // (a synthetic QKeyEvent would leave Qt a keyboard device to destroy after the app).
    std::uint16_t enter = 13;
    v.window.TextView()->OnKeyDown(enter, 0);
    EXPECT_EQ(enter, 0);  // taken by the window
    const std::string draft = DraftFromLog(from);
    ASSERT_FALSE(draft.empty()) << ReadAll(s.log);
    // The sequence: focus, then the reply and its update, then the status and an update.
    const std::string focus = "[Focus(" + s.Index("in") + ",0001)]";
    const std::string reply = "[Reply(" + s.Index("in") + ",0001)]";
    const std::string update = "[Update(" + s.Index("in") + ",0001)]";
    ASSERT_TRUE(WaitFor([&] { return s.Find(update, s.Find(update, s.Find(reply, from)) + 1) > 0; },
                        5000, Pump))
        << ReadAll(s.log);
    EXPECT_LT(s.Find(focus, from), s.Find(reply, from));
    EXPECT_GT(s.Find(update, s.Find(reply, from)), s.Find(reply, from));

    // The compose window on the draft: editor mode, template filled in.
    Viewer c(s, draft);
    c.window.show();
    ASSERT_FALSE(c.form->SonEdit1().ReadOnly);
    const std::string shown = Text(c);
    EXPECT_NE(
        shown.find(Utf8ToCp932("--------\r\n株式会社エグザンプル\r\n  佐藤花子様\r\nHello\r\n")),
        std::string::npos)
        << text::Cp932ToUtf8(shown);
    EXPECT_EQ(shown.find("%recipients%"), std::string::npos);

    // Quote the mailer's quotation once more, then reformat the body.
    const int q = LineStarting(c, "> ");
    ASSERT_GT(q, 0);
    c.form->SonEdit1().Select({q, 0}, {q + 3, 0});
    ASSERT_TRUE(app::RunCommand(*c.form, "Quote1"));
    EXPECT_NE(Text(c).find(">> "), std::string::npos);
    ASSERT_TRUE(app::RunCommand(*c.form, "Justify1"));
    // Type a Japanese answer with an NEC (①) and an IBM (髙) character, and a second
    // recipient whose local part ends in a full stop.
    Type(c, LineStarting(c, "Hello") + 1, "了解しました①髙橋さんにも伝えます。");
    c.form->SonEdit1().MoveCaretTo(200, 0);
    c.form->SonEdit1().TypeText(",taro.@docomo.ne.jp");
    EXPECT_NE(Text(c).find("\x87\x40\xfb\xfc"), std::string::npos);

    ASSERT_TRUE(app::RunCommand(*c.form, "SaveandQuit1"));
    Settle(100);
    EXPECT_FALSE(c.window.isVisible());
    const std::string out = ReadAll(draft);
    // The outgoing layout: one address a line, the dotted local part quoted.
    EXPECT_TRUE(out.starts_with(Utf8ToCp932("To: 佐藤花子 <hanako.sato@example.jp>,\r\n")))
        << text::Cp932ToUtf8(out);
    EXPECT_NE(out.find("\r\n    \"taro.\"@docomo.ne.jp\r\n"), std::string::npos)
        << text::Cp932ToUtf8(out);
    // ① stays (it has no JIS X 0208 twin); 髙 takes its NEC-selected code.
    EXPECT_NE(out.find("\x87\x40\xee\xe0"), std::string::npos);
    EXPECT_EQ(out.find("\xfb\xfc"), std::string::npos);
    EXPECT_NE(out.find(">> "), std::string::npos);
    for (const auto& l : mail::test::SplitLines(out))
        EXPECT_LE(l.size(), 80u) << text::Cp932ToUtf8(l);
}

TEST_F(WritingLoop, ForwardWithTwoAttachmentsComesBackByteExact) {
    Viewer v(s, s.Mail("in", "0010"));
    Settle(600);
    const int from = static_cast<int>(s.LogLines().size());
    ASSERT_TRUE(app::RunCommand(*v.form, "Forward1"));
    const std::string draft = DraftFromLog(from);
    ASSERT_FALSE(draft.empty()) << ReadAll(s.log);
    EXPECT_GE(s.Find("[Forward(\"" + s.Index("in") + "\",\"0010\")]", from), 0);

    Viewer c(s, draft);
    c.window.show();
    ASSERT_TRUE(c.form->ForwardTail);
    // The attachments wait behind the text; the forwarded header is trimmed.
    EXPECT_EQ(Text(c).find("JVBERi0xLjQK"), std::string::npos);
    EXPECT_EQ(Text(c).find("X-Status:"), std::string::npos);
    EXPECT_EQ(Text(c).find("X-Mailer:"), std::string::npos);
    c.form->SonEdit1().MoveCaretTo(200, LineStarting(c, "To:"));
    c.form->SonEdit1().TypeText("friend@example.jp");
    Type(c, LineStarting(c, "--------") + 1, "転送します①");

    ASSERT_TRUE(app::RunCommand(*c.form, "SaveandQuit1"));
    Settle(100);
    EXPECT_FALSE(c.window.isVisible());
    const std::string out = ReadAll(draft);
    // The forwarded mail from its second part on, byte for byte, then the draft's own
    // closing boundary.
    const std::string original = ReadAll(s.Mail("in", "0010"));
    const std::string boundary = "\r\n--=_sample_shoji_20261110_=\r\n";
    const std::size_t second = original.find(boundary, original.find(boundary) + 1);
    ASSERT_NE(second, std::string::npos);
    const std::string attachments = original.substr(second + 2);
    const std::size_t at = out.find(attachments);
    ASSERT_NE(at, std::string::npos) << text::Cp932ToUtf8(out);
    const std::string after = out.substr(at + attachments.size());
    EXPECT_TRUE(after.starts_with("--pelk-forward-") && after.ends_with("--\r\n")) << after;
    EXPECT_NE(out.find(Utf8ToCp932("\r\n転送します") + "\x87\x40"), std::string::npos);
    EXPECT_TRUE(out.starts_with("To: friend@example.jp\r\n")) << text::Cp932ToUtf8(out);
}

// Runs a program to its end; its output (stdout and stderr) goes to outFile.
int RunToEnd(std::vector<std::string> args, const std::string& outFile) {
    const pid_t pid = Spawn(std::move(args), outFile);
    int status = -1;
    if (pid <= 0 || ::waitpid(pid, &status, 0) != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Python's email package writes the original and reads back what was sent.
constexpr const char* kWriteOriginal = R"(
import sys
from email.message import EmailMessage
m = EmailMessage()
m["From"] = "山田 太郎 <taro@example.jp>"
m["To"] = "hanako@example.jp"
m["Subject"] = "会議の件"
m["Message-ID"] = "<orig-19@example.jp>"
m.set_content("明日の会議は十時からです。\n", charset="iso-2022-jp", cte="base64")
open(sys.argv[1], "wb").write(bytes(m))
)";
constexpr const char* kReadSent = R"(
import sys, email, email.policy
m = email.message_from_bytes(open(sys.argv[1], "rb").read(), policy=email.policy.default)
body = m.get_body(("plain",))
for k in ("To", "Subject", "In-Reply-To", "References"):
    print(k + "\t" + str(m[k]))
print("Charset\t" + body.get_content_charset())
for line in body.get_content().splitlines():
    print("Body\t" + line)
)";

// Reply to an imported mail from the window, type, Send Mail: the stand-in pipes a
// standard message to the send command once the window has gone.
TEST_F(EndToEnd, AReplyToAnImportedMailIsSentAsTyped) {
    const std::string original = s.root + "/original.eml", sent = s.root + "/record.eml";
    if (RunToEnd({"/usr/bin/env", "python3", "-c", kWriteOriginal, original}, s.root + "/python") !=
        0)
        GTEST_SKIP() << "python3 is needed as the oracle";
    ASSERT_EQ(RunToEnd({VARNEL_BIN_DIR "/pelkmail", "--home", s.home, "--import", original},
                       s.root + "/import"),
              0)
        << ReadAll(s.root + "/import");
    std::string imported = ReadAll(s.root + "/import");
    imported = imported.substr(0, imported.find('\n'));
    const std::string recorder = s.root + "/record";
    std::ofstream(recorder) << "#!/bin/sh\ncat > \"$0.part\" && mv \"$0.part\" \"$0.eml\"\n";
    fs::permissions(recorder, fs::perms::owner_all);
    std::string ini = ReadAll(s.home + "/pelkmail.ini");
    const auto at = ini.find("Command=\r\n");
    ASSERT_NE(at, std::string::npos);
    ini.insert(at + 8, recorder);
    std::ofstream(s.home + "/pelkmail.ini", std::ios::binary) << ini;

    ASSERT_TRUE(s.StartMailer({"--drafts-by-request"}));
    Viewer v(s, imported);
    ASSERT_TRUE(v.listening);
    WaitFor([] { return false; }, 800, Pump);  // the second start-up phase
    v.form->SendReplyCommand();
    ASSERT_TRUE(
        WaitFor([&] { return v.form->CurrentMailFile.starts_with(s.home + "/out/"); }, 5000, Pump))
        << ReadAll(s.log);
    const std::string draft = v.form->CurrentMailFile;
    if (v.form->SonEdit1().ReadOnly) {  // a viewer window keeps its mode: switch to editing
        ASSERT_TRUE(app::RunCommand(*v.form, "ViewerMode1"));
    }
    ASSERT_FALSE(v.form->SonEdit1().ReadOnly);
    const std::string typed = "承知しました。伺います。";
    auto& editor = v.form->SonEdit1();
    int sep = 0;  // the separator line
    while (sep + 1 < editor.Lines().Count() && !editor.Lines().Get(sep).starts_with("-----"))
        ++sep;
    editor.MoveCaretTo(0, sep + 1);
    editor.TypeText(text::Utf8ToCp932(typed) + "\r\n");
    ASSERT_TRUE(app::RunCommand(*v.form, "SaveandQuit1"));
    WaitFor([] { return false; }, 700, Pump);
    EXPECT_FALSE(fs::exists(sent)) << "sent while the window's program still runs";
    v.server.reset();  // the window has closed: its program ends and its socket goes
    ASSERT_TRUE(WaitFor([&] { return fs::exists(sent); }, 10000, Pump)) << ReadAll(s.log);
    EXPECT_TRUE(WaitFor([&] { return !fs::exists(draft); }, 5000, Pump));  // now in sent/
    EXPECT_TRUE(ReadAll(s.Mail("sent", "0004")).starts_with("X-Status: SNDR\r\n"));

    ASSERT_EQ(RunToEnd({"/usr/bin/env", "python3", "-c", kReadSent, sent}, s.root + "/parsed"), 0)
        << ReadAll(s.root + "/parsed");
    std::map<std::string, std::string> fields;
    std::vector<std::string> body;
    std::istringstream parsed(ReadAll(s.root + "/parsed"));
    for (std::string line; std::getline(parsed, line);) {
        const auto tab = line.find('\t');
        if (line.starts_with("Body\t"))
            body.push_back(line.substr(5));
        else if (tab != std::string::npos)
            fields[line.substr(0, tab)] = line.substr(tab + 1);
    }
    EXPECT_EQ(fields["To"], "山田 太郎 <taro@example.jp>");
    EXPECT_EQ(fields["Subject"], "Re: 会議の件");
    EXPECT_EQ(fields["In-Reply-To"], "<orig-19@example.jp>");
    EXPECT_EQ(fields["References"], "<orig-19@example.jp>");
    EXPECT_EQ(fields["Charset"], "iso-2022-jp");
    const auto has = [&](const std::string& t) {
        return std::any_of(body.begin(), body.end(),
                           [&](const std::string& l) { return l.find(t) != std::string::npos; });
    };
    EXPECT_TRUE(has(typed)) << ReadAll(sent);
    EXPECT_TRUE(has("> 明日の会議は十時からです。")) << ReadAll(sent);
}

// Navigation end to end on a generated store: in/ holds twelve mails in three threads
// whose answers cross into sent/, and a list folder "ml" after in/ holds one unread mail.
class NavigationEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        qt::EnsureQtApp();
        fs::remove_all(s.home);
        const pid_t gen = Spawn({VARNEL_BIN_DIR "/pelkmail", "--home", s.home, "--generate", "12"},
                                s.root + "/output");
        ASSERT_GT(gen, 0);
        int status = 0;
        ::waitpid(gen, &status, 0);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << ReadAll(s.root + "/output");
        // The seventh mail is read, so the only unread mail after in/ is the list's.
        std::string seven = ReadAll(s.Mail("in", "0007"));
        seven.replace(10, 4, "READ");
        std::ofstream(s.Mail("in", "0007"), std::ios::binary) << seven;
        fs::create_directories(s.home + "/ml");
        std::ofstream(s.Mail("ml", "0001"), std::ios::binary)
            << "X-Status: RECV\r\nFrom: list@example.jp\r\nSubject: [ml:1] News\r\n"
               "Message-ID: <ml1@example.jp>\r\n\r\nnews\r\n";
        std::ofstream(s.home + "/pelkmail.ini", std::ios::binary)
            << "[Global Parameters]\r\nFolderDefFile=folder.def\r\n\r\n[Folder]\r\n"
               "Name0=in.fld\r\nName1=ml.fld\r\nName2=sent.fld\r\nName3=trash.can\r\n"
               "Name4=out.fld\r\n";
        store::IndexRecord news;
        news.status = store::IndexStatus::kNew;
        news.time = 1;
        news.messageId = "<ml1@example.jp>";
        ASSERT_TRUE(store::FolderIndex::Write(s.Index("ml"), {store::IndexRecord{}, news}).ok);
    }
    void Settings(int mode) {
        std::ofstream(s.home + "/varnel32.ini", std::ios::binary)
            << "[View]\r\nEnglishMenu=1\r\nNextMailMode=" << mode
            << "\r\nNextFolderAtEnd=1\r\nAlertDialog=0\r\nTimer=100\r\n"
               "ThreadBackBySubject=0\r\nThreadSwitchFolderBySubject=0\r\n";
    }
    bool Run(Viewer& v, const char* command) {
        const bool ran = app::RunCommand(*v.form, command);
        WaitFor([] { return false; }, 50, Pump);
        return ran;
    }
    bool Shows(Viewer& v, const std::string& file, int ms = 5000) {
        return WaitFor([&] { return v.form->CurrentMailFile == file; }, ms, Pump);
    }
    Store s;
};

TEST_F(NavigationEndToEnd, NumberModeStepsAcrossTheFolderEndDeletesAndFollowsThreads) {
    Settings(0);
    ASSERT_TRUE(s.StartMailer());
    Viewer v(s, s.Mail("in", "0010"));
    ASSERT_TRUE(v.listening);
    WaitFor([] { return false; }, 800, Pump);  // the second start-up phase

    ASSERT_TRUE(Run(v, "Next1"));
    EXPECT_EQ(v.form->CurrentMailFile, s.Mail("in", "0011"));
    ASSERT_TRUE(Run(v, "Next1"));
    EXPECT_EQ(v.form->CurrentMailFile, s.Mail("in", "0012"));
    // Past the folder's end the mailer is asked for the next unread mail: the list's.
    ASSERT_TRUE(Run(v, "Next1"));
    EXPECT_TRUE(Shows(v, s.Mail("ml", "0001"))) << ReadAll(s.log);

    // Back to the last mail of in/ and delete it: the previous mail is shown, and the
    // mailer moves the deleted one to the trash, index records included.
    ASSERT_TRUE(Run(v, "Back2"));
    ASSERT_EQ(v.form->CurrentMailFile, s.Mail("in", "0012"));
    const std::string deletedBytes = ReadAll(s.Mail("in", "0012"));
    ASSERT_TRUE(Run(v, "Delete1"));
    EXPECT_EQ(v.form->CurrentMailFile, s.Mail("in", "0011"));
    ASSERT_TRUE(WaitFor([&] { return !fs::exists(s.Mail("in", "0012")); }, 5000, Pump))
        << ReadAll(s.log);
    EXPECT_EQ(ReadAll(s.home + "/trash/0001.txt"), deletedBytes);
    const auto trash = store::FolderIndex::ReadAll(s.home + "/trash.can");
    ASSERT_TRUE(trash && trash->records.size() == 2);
    EXPECT_EQ(trash->records[1].messageId, "<n2@example.jp>");
    EXPECT_NE(trash->records[1].status, store::IndexStatus::kEmpty);
    const auto in = store::FolderIndex::ReadAll(s.Index("in"));
    ASSERT_TRUE(in && in->records.size() == 13);
    EXPECT_EQ(in->records[12].status, store::IndexStatus::kEmpty);
    EXPECT_TRUE(WaitFor([&] { return v.form->Deferred().PendingFocusFile.empty(); }, 3000, Pump));

    // Threads: the question in in/, our reply in sent/, the answer and follow-up in in/.
    v.form->OpenMailFile(s.Mail("in", "0005"));
    v.form->RecordInHistory();
    const std::vector<std::string> path{s.Mail("in", "0005"), s.home + "/sent/0002.txt",
                                        s.Mail("in", "0006"), s.Mail("in", "0007")};
    for (std::size_t i = 1; i < path.size(); ++i) {
        ASSERT_TRUE(Run(v, "ThreadDown1"));
        EXPECT_EQ(v.form->CurrentMailFile, path[i]) << i;
    }
    EXPECT_GE(s.Find("[Update(" + s.Index("sent") + ",0003)]"), 0);  // asked before reading
    ASSERT_TRUE(Run(v, "ThreadBase1"));
    EXPECT_EQ(v.form->CurrentMailFile, path[0]);
    // Back retraces the thread walk, AHead goes forward again.
    for (std::size_t i = path.size(); i-- > 0;) {
        ASSERT_TRUE(Run(v, "Back2"));
        EXPECT_EQ(v.form->CurrentMailFile, path[i]) << i;
    }
    ASSERT_TRUE(Run(v, "Ahead1"));
    EXPECT_EQ(v.form->CurrentMailFile, path[1]);
}

TEST_F(NavigationEndToEnd, MailerListAndThreadModes) {
    Settings(1);
    ASSERT_TRUE(s.StartMailer());
    Viewer v(s, s.Mail("in", "0005"));
    ASSERT_TRUE(v.listening);
    WaitFor([] { return false; }, 800, Pump);
    EXPECT_TRUE(v.window.findChild<QAction*>("PelkSearch1")->isChecked());

    // Mode 1: the stand-in's list answers with open requests.
    ASSERT_TRUE(Run(v, "Next1"));
    ASSERT_TRUE(Shows(v, s.Mail("in", "0006"))) << ReadAll(s.log);
    ASSERT_TRUE(Run(v, "Next1"));
    ASSERT_TRUE(Shows(v, s.Mail("in", "0007")));
    ASSERT_TRUE(Run(v, "Back1"));
    ASSERT_TRUE(Shows(v, s.Mail("in", "0006")));
    // Deleting goes through the list as well, in the last direction (back); the move
    // follows on a tick.
    ASSERT_TRUE(Run(v, "Delete1"));
    ASSERT_TRUE(Shows(v, s.Mail("in", "0005")));
    ASSERT_TRUE(WaitFor([&] { return fs::exists(s.home + "/trash/0001.txt"); }, 5000, Pump))
        << ReadAll(s.log);
    EXPECT_FALSE(fs::exists(s.Mail("in", "0006")));
    EXPECT_TRUE(WaitFor([&] { return v.form->Deferred().PendingFocusFile.empty(); }, 3000, Pump));

    // Mode -1: next and previous follow the thread across in/ and sent/.
    ASSERT_TRUE(Run(v, "ThreadSearch1"));
    EXPECT_TRUE(v.window.findChild<QAction*>("ThreadSearch1")->isChecked());
    EXPECT_FALSE(v.window.findChild<QAction*>("PelkSearch1")->isChecked());
    v.form->OpenMailFile(s.Mail("in", "0009"));
    ASSERT_TRUE(Run(v, "Next1"));
    EXPECT_EQ(v.form->CurrentMailFile, s.home + "/sent/0003.txt");
    ASSERT_TRUE(Run(v, "Next1"));
    EXPECT_EQ(v.form->CurrentMailFile, s.Mail("in", "0010"));
    ASSERT_TRUE(Run(v, "Back1"));  // thread up
    EXPECT_EQ(v.form->CurrentMailFile, s.home + "/sent/0003.txt");
    ASSERT_TRUE(Run(v, "Back1"));
    EXPECT_EQ(v.form->CurrentMailFile, s.Mail("in", "0009"));
}

}  // namespace
}  // namespace varnel::e2e
