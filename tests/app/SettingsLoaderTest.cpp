// Settings loading: every default, one key at a time, the post-processing rules, clamps.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "TempDir.h"
#include "app/SettingsLoader.h"
#include "text/Cp932.h"

namespace varnel::app {
namespace {

using text::Utf8ToCp932;

// An environment in which no mailer can be found.
class SettingsLoaderTest : public ::testing::Test {
  protected:
    testing::TempDir home;
    EnvLookup env = [this](const std::string& name) -> std::string {
        if (name == "HOME")
            return home.path();
        if (name == "XDG_DATA_DIRS")
            return home / "nodata";
        return {};
    };

    Settings Load(const std::string& ini) {
        return LoadAllSettings(IniFile::FromBytes(ini), env, "");
    }
    // What an empty file gives, mailer fields included.
    Settings Defaults() { return Load(""); }
};

TEST_F(SettingsLoaderTest, EmptyOrMissingFileGivesTheDefaultStruct) {
    Settings expected;
    expected.mailer.MailerExe = home / "pelkmail";  // never relative
    EXPECT_EQ(Defaults(), expected);
    EXPECT_EQ(LoadAllSettings(IniFile(home / "missing.ini"), env, ""), expected);
    // Sections without the keys change nothing either.
    EXPECT_EQ(Load("[View]\r\n[Key]\r\n; nothing\r\n[Window]\r\n"), expected);
}

// Only the defaults the loader derives or converts; the rest are plain initialisers.
TEST_F(SettingsLoaderTest, DerivedDefaults) {
    const Settings s = Defaults();
    const ViewSettings& v = s.view;
    EXPECT_EQ(v.FontName, Utf8ToCp932("ＭＳ ゴシック"));  // stored as CP932
    EXPECT_EQ(v.ViewerFontName, v.FontName);
    EXPECT_EQ(v.QuoteStr, Utf8ToCp932(">|＞｜"));
    EXPECT_EQ(v.AvoidBeginChar,
              SpaceAfterDoubleByte(Utf8ToCp932("　．，。、・？！）〕］｝〉》」』】")));
    EXPECT_EQ(v.AvoidEndChar, SpaceAfterDoubleByte(Utf8ToCp932("（〔［｛〈《「『【")));
    EXPECT_EQ(v.RulerCaption, kRulerCaption);
    EXPECT_EQ(s.edit.AutoSaveIntervalMs, s.edit.SaveInterval * 60000);
    EXPECT_TRUE(s.alert.AlertEnabled);
}

TEST_F(SettingsLoaderTest, OneKeyChangesExactlyItsValueAndWhatDerivesFromIt) {
    struct Case {
        std::string ini;
        std::function<void(Settings&)> change;
    } cases[] = {
        {"[View]\nEnglishMenu=1", [](Settings& s) { s.view.EnglishMenu = true; }},
        {"[view]\nviewercolor=255", [](Settings& s) { s.view.ViewerColor = 255; }},
        {"[View]\nNextMailMode=-1", [](Settings& s) { s.view.NextMailMode = -1; }},
        {"[View]\nGreeting2=0900,Good morning",
         [](Settings& s) { s.view.Greeting2 = "0900,Good morning"; }},
        {"[View]\nDeleteHeader=Received", [](Settings& s) { s.view.DeleteHeader = "Received"; }},
        {"[View]\nHeader=1", [](Settings& s) { s.view.Header = true; }},
        {"[View]\nX0208_Alarm=1", [](Settings& s) { s.view.X0208_Alarm = true; }},
        {"[View]\nTreadIdMax=50", [](Settings& s) { s.view.TreadIdMax = 50; }},
        {"[View]\nEuropeanFontName=DejaVu Sans Mono",
         [](Settings& s) { s.view.EuropeanFontName = "DejaVu Sans Mono"; }},
        {"[View]\nThreadSwitchFolder=0", [](Settings& s) { s.view.ThreadSwitchFolder = false; }},
        {"[Window]\nLeft=-20", [](Settings& s) { s.window.Left = -20; }},
        {"[Window]\nEditWidth=500", [](Settings& s) { s.window.EditWidth = 500; }},
        {"[Window]\nInvokeCount=999", [](Settings& s) { s.window.InvokeCount = 999; }},
        {"[Key]\nReply=82", [](Settings& s) { s.key.Reply = 82; }},
        {"[Key]\nReplyAll=0", [](Settings& s) { s.key.ReplyAll = 0; }},
        {"[Key]\nQuote=593", [](Settings& s) { s.key.Quote = 593; }},
        {"[Key]\nHeader=72", [](Settings& s) { s.key.Header = 72; }},
        {"[Key]\nReplyWithStatus3=561", [](Settings& s) { s.key.ReplyWithStatus[2] = 561; }},
        {"[ReplyStatus]\nStatus5=Done", [](Settings& s) { s.replyStatus.Status[4] = "Done"; }},
        {"[Command]\nCommandMenu1=Receive",
         [](Settings& s) { s.command.CommandMenu[0] = "Receive"; }},
        {"[Command]\nCommand6={F5}", [](Settings& s) { s.command.Command[5] = "{F5}"; }},
        {"[Command]\nKeyCommand2=116", [](Settings& s) { s.command.KeyCommand[1] = 116; }},
        {"[Insert]\nInsert1=\x82\xa0", [](Settings& s) { s.insert.Insert[0] = "\x82\xa0"; }},
        {"[Insert]\nKeyInsert5=1", [](Settings& s) { s.insert.KeyInsert[4] = 1; }},
        {"[Alert]\nAlertColor5=0", [](Settings& s) { s.alert.AlertColor[4] = 0; }},
        {"[Location]\nTesraExe=/usr/bin/w3m",
         [](Settings& s) { s.location.TesraExe = "/usr/bin/w3m"; }},
        {"[Location]\nSaveAsDir=/tmp/x", [](Settings& s) { s.location.SaveAsDir = "/tmp/x"; }},
        {"[Edit]\nAutoSave=1", [](Settings& s) { s.edit.AutoSave = true; }},
        {"[Pelk]\nFolder2=/m/ml.fld", [](Settings& s) { s.pelk.Folder2 = "/m/ml.fld"; }},
        {"[SpellCheck]\nLeft=5", [](Settings& s) { s.spellCheck.Left = 5; }},
        {"[SpellCheck]\nSpellChecker=1", [](Settings& s) { s.spellCheck.SpellChecker = true; }},
        {"[Printer]\nFontName=Sans", [](Settings& s) { s.printer.FontName = "Sans"; }},
        {"[Printer]\nPrintHeader=%f", [](Settings& s) { s.printer.PrintHeader = "%f"; }},
        {"[FindDialog]\nTop=300", [](Settings& s) { s.findDialog.Top = 300; }},
        // Not a number: the default stays.
        {"[View]\nMaxTo=many", [](Settings&) {}},
        // A key in the wrong section is not seen.
        {"[Key]\nEnglishMenu=1", [](Settings&) {}},
        // Post-processing: lower-casing for comparisons.
        {"[View]\nHeaderList=X-Mailer,Organization",
         [](Settings& s) { s.view.HeaderList = ",x-mailer,organization"; }},
        {"[View]\nMailingList=ML@Example.ORG",
         [](Settings& s) { s.view.MailingList = "ml@example.org"; }},
        {"[View]\nMyAddresses=Me@A.jp,Me@B.jp",
         [](Settings& s) { s.view.MyAddresses = "me@a.jp,me@b.jp"; }},
        {"[View]\nForwardHeader=Date,From",
         [](Settings& s) { s.view.ForwardHeader = "date,from"; }},
        {"[View]\nDontExecuteExt=.EXE.Lnk",
         [](Settings& s) { s.view.DontExecuteExt = ".exe.lnk"; }},
        // Lower-casing leaves double-byte characters (trail byte 0x41 is "A") alone.
        {"[Alert]\nAlertString2=URGENT\x82\x41",
         [](Settings& s) { s.alert.AlertString[1] = "urgent\x82\x41"; }},
        {"[Alert]\nAlertColor1=0",
         [](Settings& s) {
             s.alert.AlertColor[0] = 0;
             s.alert.AlertEnabled = false;
         }},
        // Minutes stay minutes.
        {"[View]\nMinutesToCorrect=30", [](Settings& s) { s.view.MinutesToCorrect = 30; }},
        {"[View]\nThreadAllowTimeError=3",
         [](Settings& s) {
             s.view.ThreadAllowTimeError = 3;
             s.view.ThreadAllowTimeErrorSeconds = 180;
         }},
        {"[Edit]\nSaveInterval=2",
         [](Settings& s) {
             s.edit.SaveInterval = 2;
             s.edit.AutoSaveIntervalMs = 120000;
         }},
        // The protecting dot.
        {"[View]\nQuote=> .", [](Settings&) {}},
        {"[View]\nQuote=>", [](Settings& s) { s.view.Quote = ">"; }},
        {"[View]\nQuote=", [](Settings& s) { s.view.Quote = ""; }},
        {"[View]\nQuote2=:: .", [](Settings& s) { s.view.Quote2 = ":: "; }},
        {"[View]\nComment=// .", [](Settings& s) { s.view.Comment = "// "; }},
        {"[View]\nQuoteDefault=>> .",
         [](Settings& s) { s.view.QuoteDefault = s.view.Quote = ">> "; }},
        {"[View]\nQuoteDefault=>> .\nQuote=| .",
         [](Settings& s) {
             s.view.QuoteDefault = ">> ";
             s.view.Quote = "| ";
         }},
        // Fonts: base values flow into the editor, viewer and European fonts.
        {"[View]\nFontName=IPAGothic\nFontSize=12",
         [](Settings& s) {
             s.view.FontName = s.view.EditorFontName = s.view.ViewerFontName = "IPAGothic";
             s.view.FontSize = s.view.EditorFontSize = s.view.ViewerFontSize = 12;
             s.view.EuropeanFontSize = 12;
         }},
        {"[View]\nViewerFontName=FixedSys\nViewerFontSize=20",
         [](Settings& s) {
             s.view.ViewerFontName = "FixedSys";
             s.view.ViewerFontSize = 14;
         }},
        {"[View]\nEditorFontName=fixedsys\nEditorFontSize=9",
         [](Settings& s) { s.view.EditorFontName = "fixedsys"; }},
        {"[View]\nViewerFontSize=20",
         [](Settings& s) {
             s.view.ViewerFontSize = 20;
             s.view.EuropeanFontSize = 20;
         }},
        {"[View]\nViewerFontSize=20\nEuropeanFontSize=11",
         [](Settings& s) {
             s.view.ViewerFontSize = 20;
             s.view.EuropeanFontSize = 11;
         }},
        {"[View]\nLineNum=1",
         [](Settings& s) {
             s.view.LineNum = true;
             s.view.RulerCaption = std::string(6, ' ') + kRulerCaption;
         }},
        // Each double-byte character gets one blank; a lone lead byte is single.
        {"[View]\nAvoidBeginChar=a\x81\x41.\x81\x42",
         [](Settings& s) { s.view.AvoidBeginChar = "a\x81\x41 .\x81\x42 "; }},
        {"[View]\nAvoidEndChar=(\x81", [](Settings& s) { s.view.AvoidEndChar = "(\x81"; }},
        {"[View]\nAvoidEndChar=", [](Settings& s) { s.view.AvoidEndChar = ""; }},
    };
    for (const Case& c : cases) {
        Settings expected = Defaults();
        c.change(expected);
        EXPECT_EQ(Load(c.ini), expected) << c.ini;
    }
}

TEST_F(SettingsLoaderTest, TimerAndIntervalsAreClamped) {
    struct Case {
        std::string ini;
        int timer, saveInterval, autoSaveMs, toleranceSeconds;
    } cases[] = {
        {"[View]\nTimer=0", kTimerMinMs, 5, 300000, 0},
        {"[View]\nTimer=-400", kTimerMinMs, 5, 300000, 0},
        {"[View]\nTimer=2147483647", kTimerMaxMs, 5, 300000, 0},
        {"[View]\nTimer=250", 250, 5, 300000, 0},
        {"[Edit]\nSaveInterval=0", 400, 1, 60000, 0},
        {"[Edit]\nSaveInterval=-7", 400, 1, 60000, 0},
        {"[Edit]\nSaveInterval=2147483647", 400, 1440, 86400000, 0},
        {"[View]\nThreadAllowTimeError=99999999", 400, 5, 300000, INT32_MAX},
        {"[View]\nThreadAllowTimeError=-99999999", 400, 5, 300000, INT32_MIN},
    };
    for (const Case& c : cases) {
        const Settings s = Load(c.ini);
        EXPECT_EQ(s.view.Timer, c.timer) << c.ini;
        EXPECT_EQ(s.edit.SaveInterval, c.saveInterval) << c.ini;
        EXPECT_EQ(s.edit.AutoSaveIntervalMs, c.autoSaveMs) << c.ini;
        EXPECT_EQ(s.view.ThreadAllowTimeErrorSeconds, c.toleranceSeconds) << c.ini;
    }
}

TEST_F(SettingsLoaderTest, EachPhaseReadsOnlyItsKeys) {
    const IniFile ini = IniFile::FromBytes(
        "[View]\r\nEnglishMenu=1\r\nDebugMode=1\r\n[Key]\r\nReply=82\r\n"
        "[Location]\r\nTesraExe=t\r\nDecodeDir=d\r\n");
    Settings s;
    LoadSettingsPhase1(ini, s);
    Settings expected;
    expected.view.EnglishMenu = true;
    expected.location.TesraExe = "t";
    EXPECT_EQ(s, expected);

    LoadSettingsPhase2(ini, s, env);
    expected.view.DebugMode = true;
    expected.key.Reply = 82;
    expected.location.DecodeDir = "d";
    expected.mailer.MailerExe = home / "pelkmail";  // never relative
    EXPECT_EQ(s, expected);
}

TEST_F(SettingsLoaderTest, MailerHomeGivenBeforePhaseTwoIsKept) {
    const Settings s = LoadAllSettings(IniFile(), env, "/srv/mail/");
    EXPECT_EQ(s.mailer.MailerHome, "/srv/mail/");
    EXPECT_EQ(s.mailer.MailerExe, "/srv/mail/pelkmail");
    EXPECT_EQ(s.mailer.TrashCanFile, "/srv/mail/trash.can");
    const Settings o =
        LoadAllSettings(IniFile::FromBytes("[Location]\nTrashCan=/t/x.can\n"), env, "/srv/mail/");
    EXPECT_EQ(o.mailer.TrashCanFile, "/t/x.can");
}

TEST(SettingsRulesTest, HelperForms) {
    EXPECT_EQ(StripProtectingDot("> ."), "> ");
    EXPECT_EQ(StripProtectingDot(".."), ".");
    EXPECT_EQ(StripProtectingDot(""), "");
    EXPECT_EQ(RulerCaptionFor("----+", true), "      ----+");
    EXPECT_EQ(RulerCaptionFor("      ----+", true), "      ----+");
    EXPECT_EQ(RulerCaptionFor("      ----+", false), "----+");
    EXPECT_EQ(RulerCaptionFor("----+", false), "----+");
    EXPECT_EQ(RulerCaptionFor("  ", false), "");
    // ソ (0x83 0x5C) and a half-width kana stay whole.
    EXPECT_EQ(SpaceAfterDoubleByte("\x83\x5c\xb1x"), "\x83\x5c \xb1x");
}

}  // namespace
}  // namespace varnel::app
