// Mailer discovery, its trash folder, and the settings file location, with a fake
// environment over a temporary directory.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <map>

#include "TempDir.h"
#include "app/Environment.h"
#include "app/MailerLocator.h"
#include "app/SettingsLocation.h"

namespace varnel::app {
namespace {

using testing::TempDir;
using Source = MailerProgram::Source;

EnvLookup FakeEnv(std::map<std::string, std::string> vars) {
    return [vars = std::move(vars)](const std::string& name) {
        const auto it = vars.find(name);
        return it == vars.end() ? std::string() : it->second;
    };
}

class MailerLocatorTest : public ::testing::Test {
  public:
    TempDir dir;
    // HOME and the XDG data directories inside the temporary directory.
    std::map<std::string, std::string> vars{{"HOME", dir / "home"},
                                            {"XDG_DATA_DIRS", dir / "share1:" + dir / "share2"},
                                            {"PATH", dir / "bin"}};
    void Desktop(const std::string& base, const std::string& exec) {
        dir.Write(base + "/applications/pelk.desktop",
                  "[Desktop Entry]\nType=Application\nName=Pelk\n" + exec + "\n");
    }
};

TEST_F(MailerLocatorTest, FindsTheProgramInOrder) {
    struct Case {
        const char* name;
        std::function<void(MailerLocatorTest&)> setup;
        std::string exe;  // relative names are below dir
        std::vector<std::string> args;
        Source source;
    };
    const Case cases[] = {
        {"fallback: mailer home", [](MailerLocatorTest&) {}, "/mh/pelkmail", {}, Source::Fallback},
        {"PELKHOME, even without the file",
         [](MailerLocatorTest& t) { t.vars["PELKHOME"] = "/opt/pelk/"; },
         "/opt/pelk/pelkmail",
         {},
         Source::PelkHome},
        {"PELKHOME before HOME",
         [](MailerLocatorTest& t) {
             t.vars["PELKHOME"] = "/opt/pelk";
             t.dir.Write("home/pelkmail", "");
         },
         "/opt/pelk/pelkmail",
         {},
         Source::PelkHome},
        {"HOME only when the file is there",
         [](MailerLocatorTest& t) { t.dir.Write("home/pelkmail", ""); },
         "home/pelkmail",
         {},
         Source::Home},
        {"desktop entry in the default data home",
         [](MailerLocatorTest& t) {
             t.Desktop("home/.local/share", "Exec=\"/opt/Pelk Mail/pelkmail\" --folder \"%f\" %U");
         },
         "/opt/Pelk Mail/pelkmail",
         {"--folder"},
         Source::DesktopEntry},
        {"XDG_DATA_HOME replaces the default",
         [](MailerLocatorTest& t) {
             t.vars["XDG_DATA_HOME"] = t.dir / "data";
             t.Desktop("data", "Exec=/usr/bin/pelkmail -x 100%% %F");
             t.Desktop("home/.local/share", "Exec=/wrong");
         },
         "/usr/bin/pelkmail",
         {"-x", "100%"},
         Source::DesktopEntry},
        {"second data dir",
         [](MailerLocatorTest& t) { t.Desktop("share2", "Exec=/s2/pelkmail"); },
         "/s2/pelkmail",
         {},
         Source::DesktopEntry},
        {"first data dir wins",
         [](MailerLocatorTest& t) {
             t.Desktop("share1", "Exec=/s1/pelkmail");
             t.Desktop("share2", "Exec=/s2/pelkmail");
         },
         "/s1/pelkmail",
         {},
         Source::DesktopEntry},
        {"bare program name looked up in PATH",
         [](MailerLocatorTest& t) {
             const std::string bin = t.dir.Write("bin/pelkmail", "#!/bin/sh\n");
             ::chmod(bin.c_str(), 0755);
             t.Desktop("share1", "Exec=pelkmail %u");
         },
         "bin/pelkmail",
         {},
         Source::DesktopEntry},
        {"hidden user entry hides the system one",
         [](MailerLocatorTest& t) {
             t.Desktop("home/.local/share", "Hidden=true\nExec=/h/pelkmail");
             t.Desktop("share1", "Exec=/s1/pelkmail");
         },
         "/mh/pelkmail",
         {},
         Source::Fallback},
        {"broken quoting counts as no entry",
         [](MailerLocatorTest& t) { t.Desktop("share1", "Exec=\"/s1/pelkmail"); },
         "/mh/pelkmail",
         {},
         Source::Fallback},
    };
    for (const Case& c : cases) {
        MailerLocatorTest& t = *this;
        std::filesystem::remove_all(dir.path());
        std::filesystem::create_directories(dir.path());
        const auto saved = vars;
        c.setup(t);
        const MailerProgram p = FindMailerProgram(FakeEnv(vars), "/mh/");
        const std::string want = c.exe[0] == '/' ? c.exe : dir / c.exe;
        EXPECT_EQ(p.exe, want) << c.name;
        EXPECT_EQ(p.args, c.args) << c.name;
        EXPECT_EQ(p.source, c.source) << c.name;
        vars = saved;
    }
}

TEST_F(MailerLocatorTest, FallbackIsNeverRelative) {
    EXPECT_EQ(FindMailerProgram(FakeEnv({{"HOME", "/h"}}), "").exe, "/h/pelkmail");
    EXPECT_EQ(FindMailerProgram(FakeEnv({{"HOME", "/h/"}}), "rel/").exe, "/h/pelkmail");
    EXPECT_EQ(FindMailerProgram(FakeEnv({{"HOME", "h"}}), "").exe, "");
}

TEST_F(MailerLocatorTest, DesktopDirectoryFollowsTheUserDirs) {
    const std::string home = dir / "home";
    struct Case {
        std::string userDirs;  // ~/.config/user-dirs.dirs, "" for none
        std::map<std::string, std::string> extra;
        std::string want;
    } cases[] = {
        {"", {}, home + "/Desktop"},
        {"# c\nXDG_DESKTOP_DIR=\"$HOME/\xe6\xa1\x8c\"\n", {}, home + "/\xe6\xa1\x8c"},
        {"XDG_DESKTOP_DIR=\"/srv/desk\"\n", {}, "/srv/desk"},
        {"XDG_DESKTOP_DIR=\"relative\"\n", {}, home + "/Desktop"},
        {"XDG_DESKTOP_DIR=\"$HOMEX\"\n", {}, home + "/Desktop"},
        {"XDG_DESKTOP_DIR=\"/srv/desk\"\n", {{"XDG_DESKTOP_DIR", "/env/desk"}}, "/env/desk"},
        {"XDG_DESKTOP_DIR=\"/srv/desk\"\n",
         {{"XDG_CONFIG_HOME", dir / "elsewhere"}},
         home + "/Desktop"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(dir / "home/.config");
        if (!c.userDirs.empty())
            dir.Write("home/.config/user-dirs.dirs", c.userDirs);
        auto v = vars;
        v.insert(c.extra.begin(), c.extra.end());
        EXPECT_EQ(DesktopDirectory(FakeEnv(v)), c.want) << c.userDirs;
    }
    EXPECT_EQ(DesktopDirectory(FakeEnv({})), "");
}

TEST_F(MailerLocatorTest, DesktopEntryCommandForms) {
    const EnvLookup env = FakeEnv({});
    struct Case {
        std::string entry;
        std::vector<std::string> want;
    } cases[] = {
        {"[Desktop Entry]\nExec=/a/pelkmail %f", {"/a/pelkmail"}},
        {"[Desktop Entry]\nExec=/a/pelkmail --name=x%cy %i", {"/a/pelkmail", "--name=xy"}},
        {"[Desktop Entry]\nExec='/a b/pelkmail' \"arg two\"", {"/a b/pelkmail", "arg two"}},
        {"[Desktop Entry]\nExec=\"/a/x\\\\\\\\y\"", {"/a/x\\y"}},
        {"[Desktop Entry]\nExec=/a/pelkmail\\s--flag", {"/a/pelkmail", "--flag"}},
        {"[Desktop Entry]\nExec=%f", {}},
        {"[Desktop Entry]\nExec=", {}},
        {"[Desktop Entry]\nName=x", {}},
        {"[Other]\nExec=/a/pelkmail", {}},
        {"[Desktop Entry]\nExec=/a/pelkmail\nHidden=true", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DesktopEntryCommand(c.entry, env), c.want) << c.entry;
}

TEST_F(MailerLocatorTest, TrashFolderRules) {
    const std::string exe = dir / "Pelk/pelkmail";
    const std::string mailerDir = dir / "Pelk";
    struct Case {
        std::string folders;  // the [Folder] section's lines
        std::string home;
        std::string override_;
        std::string want;  // "@" stands for the mailer's directory
    } cases[] = {
        {"Name0=inbox.fld\nName1=trash.can\n", "/h/", "", "@/trash.can"},
        {"Name0=Trash.Can\n", "/h/", "", "@/Trash.Can"},
        {"Name0=trash.can.old\n", "/h/", "", "@/trash.can"},
        {"Name0=/srv/Mail/Old.Trash.CAN\n", "/h/", "", "/srv/Mail/Old.Trash.CAN"},
        {"Name0=\\srv\\Mail\\trash.can\n", "/h/", "", "/srv/Mail/trash.can"},
        {"Name0=sub\\trash.can\n", "/h/", "", "/h/trash.can"},
        {"Name0=inbox.fld\nName1=\nName2=trash.can\n", "/h/", "", "/h/trash.can"},
        {"Name1=trash.can\n", "/h/", "", "/h/trash.can"},
        {"", "/h/", "", "/h/trash.can"},
        {"", "", "", ""},
        {"Name0=trash.can\n", "/h/", "/mine/t.can", "/mine/t.can"},
    };
    for (const Case& c : cases) {
        dir.Write("Pelk/pelkmail.ini",
                  "[Global Parameters]\r\nFolderDefFile=folder.def\r\n[Folder]\n" + c.folders);
        const MailerFiles f = ReadMailerFiles(exe, c.home, c.override_);
        std::string want = c.want;
        if (!want.empty() && want[0] == '@')
            want = mailerDir + want.substr(1);
        EXPECT_EQ(f.TrashCanFile, want) << c.folders;
    }
}

TEST_F(MailerLocatorTest, MailerFilePaths) {
    const std::string exe = dir / "Pelk/pelkmail";
    struct Case {
        std::string stored, want;
    } cases[] = {
        {"folder.def", dir / "Pelk/folder.def"},
        {"conf\\Folder.DEF", dir / "Pelk/conf/Folder.DEF"},
        {"/etc/pelk/folder.def", "/etc/pelk/folder.def"},
        {"\\etc\\pelk\\folder.def", "/etc/pelk/folder.def"},
        {"", ""},
    };
    for (const Case& c : cases) {
        dir.Write("Pelk/pelkmail.ini", "[Global Parameters]\nFolderDefFile=" + c.stored +
                                           "\nAliasFile=" + c.stored + "\n");
        const MailerFiles f = ReadMailerFiles(exe, "/h/", "");
        EXPECT_EQ(f.FolderDefFile, c.want) << c.stored;
        EXPECT_EQ(f.AliasFile, c.want) << c.stored;
    }
    const MailerFiles none = ReadMailerFiles(dir / "nowhere/pelkmail", "/h/", "");
    EXPECT_EQ(none.FolderDefFile, "");
    EXPECT_EQ(none.AliasFile, "");
    EXPECT_EQ(none.TrashCanFile, "/h/trash.can");
    EXPECT_EQ(MailerIniFile("/opt/pelk/pelkmail"), "/opt/pelk/pelkmail.ini");
}

TEST_F(MailerLocatorTest, LocateMailerFillsTheMailerFields) {
    dir.Write("Pelk/pelkmail.ini",
              "[Global Parameters]\nFolderDefFile=folder.def\nAliasFile=alias.txt\n"
              "[Folder]\nName0=inbox.fld\nName1=trash.can\n");
    vars["PELKHOME"] = dir / "Pelk";
    MailerSettings m;
    LocateMailer(FakeEnv(vars), "", m);
    EXPECT_EQ(m.MailerExe, dir / "Pelk/pelkmail");
    EXPECT_TRUE(m.MailerArgs.empty());
    EXPECT_EQ(m.MailerHome, dir / "Pelk/");
    EXPECT_EQ(m.FolderDefFile, dir / "Pelk/folder.def");
    EXPECT_EQ(m.AliasFile, dir / "Pelk/alias.txt");
    EXPECT_EQ(m.TrashCanFile, dir / "Pelk/trash.can");

    // A home taken from the opened mail stays.
    MailerSettings kept;
    kept.MailerHome = "/mail/";
    LocateMailer(FakeEnv(vars), "", kept);
    EXPECT_EQ(kept.MailerHome, "/mail/");

    // A program from a desktop entry says nothing about the mail home.
    vars.erase("PELKHOME");
    Desktop("share1", "Exec=/usr/bin/pelkmail %f");
    MailerSettings fromDesktop;
    LocateMailer(FakeEnv(vars), "", fromDesktop);
    EXPECT_EQ(fromDesktop.MailerExe, "/usr/bin/pelkmail");
    EXPECT_EQ(fromDesktop.MailerHome, "");
    EXPECT_EQ(fromDesktop.TrashCanFile, "");
}

TEST(MailerHomeTest, OnlyMailFilesGiveAHome) {
    struct Case {
        const char* path;
        const char* home;
    } cases[] = {
        {"/home/u/Pelk/Inbox/0012.txt", "/home/u/Pelk/"},
        {"/home/u/Pelk/out/0003.TXT", "/home/u/Pelk/"},
        {"/inbox/0001.txt", "/"},
        {"/0001.txt", ""},
        {"0001.txt", ""},
        {"inbox/0001.txt", ""},
        {"/tmp/_pel0001.tmp", ""},
        {"/tmp/varnel-1000/_varnel.tmp", ""},
        {"/home/u/Pelk/Inbox/12.txt", ""},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MailerHomeFromMailFile(c.path), c.home) << c.path;
}

TEST(SettingsLocationTest, Order) {
    TempDir dir;
    const std::string exeDir = dir / "bin";
    std::filesystem::create_directories(exeDir);
    const std::string home = dir / "home";
    struct Case {
        const char* name;
        std::map<std::string, std::string> vars;
        bool portable;
        std::string file;
    } cases[] = {
        {"explicit", {{"VARNEL_INI", "/etc/v.ini"}, {"HOME", home}}, true, "/etc/v.ini"},
        {"portable", {{"HOME", home}, {"XDG_CONFIG_HOME", "/cfg"}}, true, exeDir + "/varnel32.ini"},
        {"XDG_CONFIG_HOME",
         {{"HOME", home}, {"XDG_CONFIG_HOME", "/cfg"}},
         false,
         "/cfg/varnel32/varnel32.ini"},
        {"default config dir", {{"HOME", home}}, false, home + "/.config/varnel32/varnel32.ini"},
        {"relative XDG_CONFIG_HOME ignored",
         {{"HOME", home}, {"XDG_CONFIG_HOME", "cfg"}},
         false,
         home + "/.config/varnel32/varnel32.ini"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(exeDir + "/varnel32.ini");
        if (c.portable)
            dir.Write("bin/varnel32.ini", "");
        const SettingsLocation loc = LocateSettingsFile(FakeEnv(c.vars), exeDir);
        EXPECT_EQ(loc.file, c.file) << c.name;
        EXPECT_EQ(loc.sideFileDir, std::filesystem::path(c.file).parent_path().string()) << c.name;
    }
    EXPECT_FALSE(RunningExecutableDir().empty());
}

}  // namespace
}  // namespace varnel::app
