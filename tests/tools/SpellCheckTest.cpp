// The spelling check: word cutting, the scan and the window's decisions over a fake
// speller and window.
#include <gtest/gtest.h>

#include <filesystem>

#include "TempDir.h"
#include "fakes/ToolFakes.h"
#include "tools/SpellDictionary.h"
#include "tools/SpellWords.h"
#include "tools/TForm2.h"
#include "tools/ToolsFixture.h"

namespace varnel::tools {
namespace {

using Strings = std::vector<std::string>;
const SpellCharSets kSets{"!?,.:;\"-()<>", "01234567890#$%&*+=@`[\\]^_{|}~"};

TEST(SpellWords, CutsWordsAndTheirMarks) {
    const struct {
        std::string text;
        std::size_t pos;
        std::string word;
        char mark;
        bool doubleTest, address;
    } cases[] = {
        {"  hello, world", 0, "hello", ',', true, false},
        {"don't stop", 0, "don't", 0, true, false},
        {"the (the", 3, "the", 0, false, false},
        {"the the", 3, "the", 0, true, false},
        {"x: etc.)", 1, "etc", '.', true, false},
        {"x:; etc", 1, "etc", 0, false, false},
        {"\x93\xfa\x96\x7b"
         "abc",
         0, "abc", 0, false, false},  // after kanji
        {"see http://a.b/c?d more", 3, "http", ':', true, true},
        {"mp3 file", 0, "mp3", 0, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const SpellWord w = NextSpellWord(c.text, c.pos, kSets);
        ASSERT_TRUE(w.found);
        EXPECT_EQ(c.text.substr(w.start, w.length), c.word);
        EXPECT_EQ(w.trailingMark, c.mark);
        EXPECT_EQ(w.doubleTest, c.doubleTest);
        EXPECT_EQ(w.address, c.address);
    }
    const SpellWord address = NextSpellWord("see http://a.b/c?d more", 3, kSets);
    EXPECT_EQ(address.end, 18u);  // up to the blank
    EXPECT_FALSE(NextSpellWord("  123 ...", 0, kSets).found);
}

struct SpellFixture : EditFixture {
    fakes::WordListSpeller* speller = nullptr;
    fakes::RecordingSpellWindow window;
    std::vector<SpellWindowState> saved;
    std::filesystem::path dir;
    SpellCheckOptions options;
    std::unique_ptr<TForm2> form;
    std::set<std::string> known = {"subject", "test",  "i",    "wrote", "a",   "of",
                                   "letter",  "it",    "is",   "done",  "the", "and",
                                   "nearly",  "draft", "etc.", "word",  "one", "two"};

    explicit SpellFixture(std::string_view text, bool wrap = false, int column = 72)
        : EditFixture(text, wrap, column) {
        dir =
            std::filesystem::temp_directory_path() / ("varnel_spell_" + std::to_string(::getpid()));
        std::filesystem::remove_all(dir);
        options.SpellChecker = true;
        options.mainDictionary = "/dict/en_US";
        options.userDictionary = (dir / "UserDic.txt").string();
        form = std::make_unique<TForm2>(TForm2Services{
            window, prompter,
            [this](std::string&) {
                auto s = std::make_unique<fakes::WordListSpeller>();
                s->known = known;
                s->suggestions = {{"drafft", {"drift", "draft"}}, {"teh", {"the", "ten"}}};
                speller = s.get();
                return s;
            },
            [this](const SpellWindowState& s) { saved.push_back(s); }});
    }
    ~SpellFixture() { std::filesystem::remove_all(dir); }
    void Start() { form->Start(e, options); }
    std::string Selected() { return e.GetSelText(); }
};

// What the window is given to show; the walk itself, the user's dictionary and undo are
// checked through the real window (QtTextToolsWindowTest).
TEST(SpellCheck, SuggestionsAndTheDoubledWordNotice) {
    SpellFixture f("I wrote a drafft of teh letter.\r\nIt is is nerly done");
    f.Start();
    EXPECT_EQ(f.window.word, "drafft");
    EXPECT_EQ(f.window.suggestions, (Strings{"draft", "drift"}));  // sorted
    EXPECT_EQ(f.window.replacement, "draft");
    f.form->ChangeButtonClick();
    f.form->ListBoxSelected1(1);
    EXPECT_EQ(f.window.replacement, "the");
    f.form->IgnoreButtonClick();
    EXPECT_EQ(f.window.suggestions, Strings{"(Duplicate words.)"});
    EXPECT_EQ(f.window.focused, platform::SpellWindow::Button::Change);
    f.form->ListBoxSelected1(0);  // the notice is not a replacement
    EXPECT_EQ(f.window.replacement, "");
    f.form->ChangeButtonClick();
    // The last line has no line end and is checked too.
    EXPECT_EQ(f.Selected(), "nerly");
    EXPECT_EQ(f.window.suggestions, Strings{"No suggestion"});
}

TEST(SpellCheck, PositionsStayRightWhenTheEditorUnwraps) {
    // One paragraph over several display lines, then the caret's paragraph.
    const std::string text = "one two wrng one two one two one\r\ntwo one badd two";
    SpellFixture f(text, true, 8);
    ASSERT_GT(f.e.Lines().Count(), 4);
    // The caret on the second paragraph: the scan starts there, not at display line 5
    // of the unwrapped text.
    f.e.MoveCaretTo(0, f.e.Lines().Count() - 1);
    f.Start();
    EXPECT_EQ(f.Selected(), "badd");
    f.form->FromBeginningButtonClick();
    EXPECT_EQ(f.Selected(), "wrng");
    f.e.SetWordWrap(false);
    f.window.replacement = "wrong";
    f.form->ChangeButtonClick();
    EXPECT_EQ(f.Selected(), "badd");
    f.window.replacement = "bad";
    f.e.SetWordWrap(true);
    f.form->ChangeButtonClick();
    EXPECT_FALSE(f.form->InProgress());
    EXPECT_EQ(f.e.Text(), "one two wrong one two one two one\r\ntwo one bad two");
}

TEST(SpellCheck, SkipsAndDoubles) {
    const struct {
        const char* name;
        std::string text;
        std::string stopsOn;  // "" = completes
    } cases[] = {
        {"doubled over a line break", "one the\r\nthe two", "the"},
        {"bracket between", "the (the", ""},
        {"abbreviation", "etc. and", ""},
        {"capitals", "NASA word", ""},
        {"numeric", "mp3 word", ""},
        {"address", "http://xqzt.example/abc word", ""},
        {"unknown", "word xqzt", "xqzt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SpellFixture f(c.text);
        f.Start();
        EXPECT_EQ(f.form->InProgress(), !c.stopsOn.empty());
        if (!c.stopsOn.empty()) {
            EXPECT_EQ(f.Selected(), c.stopsOn);
        }
    }
}

TEST(SpellCheck, StartRefusals) {
    const struct {
        const char* text;
        int selected;  // columns selected from the start; -1 all, 0 none
        bool readOnly, enabled, userDic;
        Strings asked;
    } cases[] = {
        {"word", 0, true, true, false, {"Read only mode."}},
        {"abcdefghijklmnopqrstu and more",
         21,
         false,
         true,
         false,
         {"The word is too long to spell-check."}},
        {"two words", -1, false, true, false, {"Space exists in the selection."}},
        {"word", 0, false, false, false, {}},
        {"word", -1, false, true, true, {"Spell ckeck complete."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        SpellFixture f(c.text);
        f.e.ReadOnly = c.readOnly;
        f.options.SpellChecker = c.enabled;
        if (c.selected < 0)
            f.e.SelectAll();
        else if (c.selected > 0)
            f.e.Select({0, 0}, {0, c.selected});
        if (c.userDic) {
            std::filesystem::create_directories(f.dir);
            std::ofstream(f.dir / "UserDic.txt") << "x\n";
        }
        f.Start();
        EXPECT_EQ(f.prompter.asked, c.asked);
        EXPECT_FALSE(f.form->InProgress());
    }
    // A refused start leaves no check open: a word of twenty letters is checked, and a
    // second start while it runs is refused.
    SpellFixture f("abcdefghijklmnopqrstu and more");
    f.e.Select({0, 0}, {0, 21});
    f.Start();
    f.e.Select({0, 0}, {0, 20});
    f.Start();
    EXPECT_TRUE(f.form->InProgress());
    f.Start();
    EXPECT_EQ(f.prompter.asked.back(), "SpellCheck already open.");
    f.form->ExitButtonClick();
    EXPECT_FALSE(f.form->InProgress());
}

TEST(SpellCheck, UndoButtonTakesTheChangeBackAndLooksAgain) {
    SpellFixture f("drafft teh one");
    f.Start();
    f.form->ChangeButtonClick();
    EXPECT_EQ(f.Selected(), "teh");
    f.form->UndoButtonClick();
    EXPECT_EQ(f.e.Text(), "drafft teh one");
    EXPECT_EQ(f.Selected(), "drafft");
    f.form->UndoButtonClick();  // nothing left to undo
    EXPECT_EQ(f.prompter.asked.back(), "No more Undo.");
    EXPECT_EQ(f.Selected(), "drafft");
}

TEST(SpellDictionary, BasicDicNamesAPairOrFallsBack) {
    const auto dir = std::filesystem::temp_directory_path() / "varnel_dict";
    std::filesystem::create_directories(dir / "sys");
    for (const char* f : {"mine.aff", "mine.dic", "sys/en_US.aff", "sys/en_US.dic", "half.dic"})
        std::ofstream(dir / f) << "x";
    const std::vector<std::string> sys = {(dir / "none").string(), (dir / "sys").string()};
    const std::string mine = (dir / "mine").string();
    EXPECT_EQ(MainDictionaryBase(mine + ".dic", sys), mine);
    EXPECT_EQ(MainDictionaryBase(mine + ".wtr", sys), mine);
    EXPECT_EQ(MainDictionaryBase(mine, sys), mine);
    EXPECT_EQ(MainDictionaryBase((dir / "half.dic").string(), sys), (dir / "sys/en_US").string());
    EXPECT_EQ(MainDictionaryBase("C:\\Program Files\\SpellChecker\\Basic.wtr", sys),
              (dir / "sys/en_US").string());
    EXPECT_EQ(MainDictionaryBase("", {}), "");
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace varnel::tools
