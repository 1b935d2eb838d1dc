#include <gtest/gtest.h>

#include <functional>

#include "../fakes/Fakes.h"
#include "link/ChannelWindows.h"
#include "link/MailerDriver.h"
#include "link/MailerLink.h"
#include "link/OpenRequest.h"
#include "link/WindowWire.h"

using namespace varnel;
using namespace varnel::link;
using platform::Delivery;

namespace {

// A stand-in that owns the windows named in `windows` ("class:PeLk:MaIn", "title:...").
std::function<Delivery(const std::string&, const std::string&)> Owns(
    std::vector<std::string> windows) {
    return [windows](const std::string& service, const std::string& macro) {
        const auto r = ParseWindowMacro(macro);
        if (!r)
            return service == "Pelk" ? Delivery::Delivered : Delivery::NoServer;
        for (const auto& w : windows) {
            if (w == r->kind + ":" + r->name)
                return service == "Pelk" ? Delivery::Delivered : Delivery::Refused;
        }
        return service == "Pelk" ? Delivery::Refused : Delivery::NoServer;
    };
}

const std::string kMail = "/home/u/Pelk/in/0042.txt";
const std::string kThread = "title:" + std::string(kMailerThreadTitle);

}  // namespace

// Runs one MailerLink command by name: the mail (or view, or text) is a, a folder b.
void RunLinkCommand(MailerLink& l, const std::string& command, const std::string& a,
                    const std::string& b) {
    if (command == "Focus")
        l.Focus(a);
    else if (command == "Update")
        l.Update(a);
    else if (command == "Reply")
        l.Reply(a);
    else if (command == "Forward")
        l.Forward(a);
    else if (command == "View")
        l.View(a);
    else if (command == "Receive")
        l.Receive();
    else if (command == "Append")
        l.Append(a);
    else
        l.FolderCommand(command, b, a);
}

TEST(MailerLink, CommandsAndWhatTheUserHearsWhenTheyFail) {
    const std::string focus = "[Focus(/home/u/Pelk/in.fld,0042)]";
    const std::string update = "[Update(/home/u/Pelk/in.fld,0042)]";
    const std::string reply = "[Reply(/home/u/Pelk/in.fld,0042)]";
    const struct {
        const char* command;
        std::string a, b;
        Delivery answer;
        std::vector<std::string> macros;
        bool told;
    } cases[] = {
        {"Focus", kMail, "", Delivery::NoServer, {focus}, false},
        {"Update", kMail, "", Delivery::Refused, {update}, false},
        {"Reply", kMail, "", Delivery::Delivered, {reply, update}, false},
        {"Reply", kMail, "", Delivery::NoServer, {reply, update}, true},
        {"Forward",
         kMail,
         "",
         Delivery::NoServer,
         {"[Forward(\"/home/u/Pelk/in.fld\",\"0042\")]"},
         true},
        {"Move",
         kMail,
         "/home/u/Pelk/trash.can",
         Delivery::NoServer,
         {"[Move(/home/u/Pelk/trash.can,/home/u/Pelk/in.fld,0042)]"},
         true},
        {"Copy",
         kMail,
         "/home/u/Pelk/keep.fld",
         Delivery::Refused,
         {"[Copy(/home/u/Pelk/keep.fld,/home/u/Pelk/in.fld,0042)]"},
         true},
        {"View", "Next", "", Delivery::NoServer, {"[View(\"Next\")]"}, true},
        {"Receive", "", "", Delivery::Delivered, {"[Receive]"}, false},
        // Not a mailer mail file: nothing sent, nothing said.
        {"Reply", "/home/u/notes.txt", "", Delivery::Delivered, {}, false},
        // Hostile paths are refused, with a message where the user expects an effect,
        // and for the quiet commands too: the mailer would never learn of the mail.
        {"Focus", "/home/u/a,b/0001.txt", "", Delivery::Delivered, {}, true},
        {"Move", "/h/x)y/0001.txt", "/t/trash.can", Delivery::Delivered, {}, true},
        {"Forward", "/h/x\"y/0001.txt", "", Delivery::Delivered, {}, true},
        {"View", "Next\")]", "", Delivery::Delivered, {}, true},
        {"Append", "Taro\r\n[Receive]", "", Delivery::Delivered, {}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.command) + " " + c.a);
        fakes::RecordingChannel channel;
        fakes::ScriptedPrompter prompter;
        channel.result = c.answer;
        MailerLink link(channel, prompter, true);
        RunLinkCommand(link, c.command, c.a, c.b);
        EXPECT_EQ(channel.To("Pelk", "Command"), c.macros);
        EXPECT_EQ(channel.sent.size(), c.macros.size()) << "sent elsewhere";
        EXPECT_EQ(!prompter.asked.empty(), c.told);
    }
}

TEST(MailerLink, AMailTheMailerCannotBeToldOfIsReportedOncePerMail) {
    fakes::RecordingChannel channel;
    fakes::ScriptedPrompter prompter;
    MailerLink link(channel, prompter, true);
    for (const char* mail : {"/h/a(b)/0001.txt", "/h/a[1]/0002.txt", "/h/a\"b/0003.txt"}) {
        link.Update(mail);
        link.Focus(mail);
        link.Reply(mail);  // the reply itself is reported as before
    }
    EXPECT_TRUE(channel.sent.empty());
    ASSERT_EQ(prompter.asked.size(), 6u);
    EXPECT_NE(prompter.asked[0].find("/h/a(b)/0001.txt"), std::string::npos);
    EXPECT_NE(prompter.asked[0].find("cannot be told"), std::string::npos);
    EXPECT_NE(prompter.asked[2].find("/h/a[1]/0002.txt"), std::string::npos);
}

TEST(MailerLink, MessagesNameTheCommandAndFollowTheLanguage) {
    fakes::RecordingChannel channel;
    fakes::ScriptedPrompter prompter;
    channel.result = Delivery::NoServer;
    MailerLink link(channel, prompter, true);
    link.FolderCommand("Move", "/p/trash.can", "/p/in/0003.txt");
    link.SetEnglishMenu(false);
    link.Append("Taro <t@example.jp>");
    ASSERT_EQ(prompter.asked.size(), 2u);
    EXPECT_EQ(prompter.asked[0],
              "The mailer is not running: [Move(/p/trash.can,/p/in.fld,0003)] was not delivered.");
    EXPECT_NE(prompter.asked[1].find("アドレス帳"), std::string::npos);
    EXPECT_EQ(channel.sent[1].service + "." + channel.sent[1].topic, "Alias.system");
}

TEST(OpenRequest, OnlyTheWholeFormIsAccepted) {
    struct Case {
        const char* macro;
        std::string_view prefix;
        std::optional<std::string> path;
    } cases[] = {
        {"[open(\"/home/u/Pelk/In/0001.txt\")]", kViewerOpenPrefix, "/home/u/Pelk/In/0001.txt"},
        {"[OPEN(\"/home/u/Pelk/In/0001.txt\")]", kViewerOpenPrefix, "/home/u/Pelk/In/0001.txt"},
        {"[open(\"/a/b c/0001.txt\")]\r\nsecond line", kViewerOpenPrefix, "/a/b c/0001.txt"},
        {"[open(\"/x\")]", kViewerOpenPrefix, "/x"},
        // Short or malformed input used to underflow the cut; now it is refused.
        {"[open(\"", kViewerOpenPrefix, std::nullopt},
        {"[open(\"\")]", kViewerOpenPrefix, std::nullopt},
        {"[open(", kViewerOpenPrefix, std::nullopt},
        {"", kViewerOpenPrefix, std::nullopt},
        {"[open(\"/x/0001.txt\")", kViewerOpenPrefix, std::nullopt},
        {"[open(\"relative/0001.txt\")]", kViewerOpenPrefix, std::nullopt},
        {"[Focus(/x.fld,0001)]", kViewerOpenPrefix, std::nullopt},
        // A compose window takes no request, not even one written to match "dummy".
        {"[open(\"/x/0001.txt\")]", kComposeOpenPrefix, std::nullopt},
        {"dummy/x/0001.txt\")]", kComposeOpenPrefix, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseOpenRequest(c.macro, c.prefix), c.path) << c.macro;
    EXPECT_EQ(*OpenRequestFor("/h/In/0002.txt"), "[open(\"/h/In/0002.txt\")]");
    EXPECT_FALSE(OpenRequestFor("/h/a\nb"));
}

TEST(WindowWire, RoundTripAndRejects) {
    const std::vector<platform::KeyEvent> keys{
        {0x12, true, false}, {0x28, true, true}, {0x28, false, true}, {0x12, false, false}};
    const auto m = KeysMacro("class", "PeLk:MaIn", keys);
    ASSERT_TRUE(m);
    EXPECT_EQ(*m, "[Keys(\"class\",\"PeLk:MaIn\",\"12d 28dx 28ux 12u\")]");
    const auto r = ParseWindowMacro(*m);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->keys, keys);
    EXPECT_EQ(ParseWindowMacro("[Find(\"title\",\"スレッドの表示\")]")->name, "スレッドの表示");
    for (const char* bad : {"[Find(\"x\",\"y\")]", "[Keys(\"class\",\"A\",\"zz\")]",
                            "[Drop(\"class\",\"A\")]", "[Find(\"class\")]", "Find"})
        EXPECT_FALSE(ParseWindowMacro(bad)) << bad;
    EXPECT_FALSE(WindowMacro("Find", "title", "a\"b"));
}

TEST(MailerDriver, TableOfTheMailerListCommands) {
    struct Case {
        MailerCommand cmd;
        std::vector<std::string> windows;
        std::optional<std::string> queued;
        std::vector<std::string> commands;  // on pelk.command
        bool told;
    } cases[] = {
        {MailerCommand::Next2, {kThread}, "{DOWN}{ENTER}", {}, false},
        {MailerCommand::Next2, {"class:PeLk:MaIn"}, std::nullopt, {"[View(\"Next\")]"}, false},
        {MailerCommand::Prev2, {}, std::nullopt, {"[View(\"Prev\")]"}, false},
        {MailerCommand::Top1, {kThread}, "{HOME}{ENTER}", {}, false},
        {MailerCommand::End1, {}, std::nullopt, {"[View(\"Last\")]"}, false},
        {MailerCommand::Thread1, {"class:PeLk:MaIn", kThread}, "%(F)T", {}, false},
        {MailerCommand::Thread1, {}, std::nullopt, {}, true},
        {MailerCommand::CloseThread1, {kThread}, "%( )C", {}, false},
        {MailerCommand::Find2, {"class:PeLk:MaIn"}, "%(F)F^V", {}, false},
        {MailerCommand::NextFolder1, {"class:PeLk:MaIn"}, "%(F)E{ENTER}", {}, false},
        {MailerCommand::PreviousFolder1, {kThread}, std::nullopt, {}, true},
        {MailerCommand::FolderEnd,
         {"class:PeLk:MaIn"},
         "%FE{ENTER}",
         {"[View(\"NextRecv\")]"},
         false},
        {MailerCommand::NextNew, {kThread}, std::nullopt, {"[View(\"NextRecv\")]"}, false},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        fakes::RecordingChannel channel;
        channel.answer = Owns(cases[i].windows);
        fakes::ScriptedPrompter prompter;
        MailerLink link(channel, prompter, true);
        ChannelWindows windows(channel, {"Pelk", "Pilvo1"});
        MailerDriver driver(windows, link, prompter, true);
        EXPECT_EQ(driver.Run(cases[i].cmd), cases[i].queued) << i;
        EXPECT_EQ(channel.To("Pelk", "Command"), cases[i].commands) << i;
        EXPECT_EQ(!prompter.asked.empty(), cases[i].told) << i;
    }
    EXPECT_EQ(StepFor(MailerCommand::Prev2).direction, -1);
    EXPECT_TRUE(StepFor(MailerCommand::NextFolder1).bringBack);
}

TEST(ChannelWindows, KeysGoToTheWindowBroughtToTheFront) {
    fakes::RecordingChannel channel;
    channel.answer = Owns({kThread});
    ChannelWindows windows(channel, {"Pelk"});
    EXPECT_FALSE(windows.SendKeyEvents({{0x0D, true, false}}));  // nothing in front yet
    EXPECT_FALSE(windows.FindByClass("PeLk:MaIn"));
    auto w = windows.FindByTitle(std::string(kMailerThreadTitle));
    ASSERT_TRUE(w);
    ASSERT_TRUE(windows.BringToFront(*w));
    EXPECT_TRUE(windows.SendKeyEvents({{0x0D, true, false}, {0x0D, false, false}}));
    const auto sent = channel.To("Pelk", "Windows");
    EXPECT_EQ(sent.back(), "[Keys(\"title\",\"スレッドの表示\",\"0Dd 0Du\")]");
}

TEST(MailerDriver, CompanionLink) {
    fakes::RecordingChannel channel;
    fakes::ScriptedPrompter prompter;
    fakes::RecordingLauncher launcher;
    MailerLink link(channel, prompter, true);
    ChannelWindows windows(channel, {"Pelk", "Pilvo1"});
    MailerDriver driver(windows, link, prompter, true);

    channel.answer = [](const std::string& service, const std::string& macro) {
        if (macro.starts_with("[Find"))
            return service == "Pilvo1" ? Delivery::Delivered : Delivery::Refused;
        return Delivery::Delivered;
    };
    EXPECT_TRUE(driver.ConnectCompanion(kMail, "/opt/pilvo1", launcher));
    EXPECT_EQ(channel.To("Pilvo1", "Command"),
              std::vector<std::string>{"[Focus(\"/home/u/Pelk/in.fld\",0042)]"});
    EXPECT_TRUE(launcher.started.empty());

    channel.answer = {};
    channel.result = Delivery::NoServer;
    EXPECT_TRUE(driver.ConnectCompanion(kMail, "/opt/pilvo1", launcher));
    EXPECT_EQ(launcher.started.back(), (std::vector<std::string>{"/opt/pilvo1", kMail}));
    // The setting is split once into the program and its own arguments.
    const struct {
        const char* setting;
        std::vector<std::string> argv;  // empty: not started, the user is told
    } starts[] = {
        {"'/opt/my pilvo/pilvo1' --fast", {"/opt/my pilvo/pilvo1", "--fast", kMail}},
        {"\"/opt/a b\"", {"/opt/a b", kMail}},
        {"/opt/pilvo1 'unterminated", {}},
        {"   ", {}},
    };
    for (const auto& s : starts) {
        launcher.started.clear();
        const std::size_t told = prompter.asked.size();
        EXPECT_EQ(driver.ConnectCompanion(kMail, s.setting, launcher), !s.argv.empty())
            << s.setting;
        if (s.argv.empty()) {
            EXPECT_TRUE(launcher.started.empty()) << s.setting;
            EXPECT_EQ(prompter.asked.size(), told + 1) << s.setting;
        } else {
            EXPECT_EQ(launcher.started.back(), s.argv) << s.setting;
        }
    }
    launcher.succeed = false;
    const std::size_t told = prompter.asked.size();
    EXPECT_FALSE(driver.ConnectCompanion(kMail, "/opt/pilvo1", launcher));
    EXPECT_EQ(prompter.asked.size(), told + 1);
}
