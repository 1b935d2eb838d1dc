#include <gtest/gtest.h>

#include "../fakes/Fakes.h"
#include "link/KeyMacro.h"
#include "link/KeystrokeSender.h"

using namespace varnel;
using namespace varnel::link;
using platform::KeyEvent;

namespace {

// Compact notation: "A+" key down, "A-" key up, codes in hex, "x" for extended keys.
std::string Show(const std::vector<KeyEvent>& events) {
    std::string s;
    char buf[8];
    for (const KeyEvent& e : events) {
        std::snprintf(buf, sizeof buf, "%02X%s%c ", e.vk, e.extended ? "x" : "",
                      e.down ? '+' : '-');
        s += buf;
    }
    if (!s.empty())
        s.pop_back();
    return s;
}

class RecordingSink : public platform::KeySink {
  public:
    std::vector<KeyEvent> got;
    bool ok = true;
    bool SendKeyEvents(const std::vector<KeyEvent>& events) override {
        got.insert(got.end(), events.begin(), events.end());
        return ok;
    }
};

}  // namespace

TEST(KeyMacro, EventLists) {
    struct Case {
        const char* macro;
        const char* events;
        bool complete;
        std::vector<std::string> problems;
    } cases[] = {
        // Alt held through the group; the letters are typed as on a US keyboard, where
        // an upper-case letter is Shift + the letter.
        {"%(F)T", "12+ 10+ 46+ 46- 10- 12- 10+ 54+ 54- 10-", true, {}},
        {"%FE{ENTER}", "12+ 10+ 46+ 46- 10- 12- 10+ 45+ 45- 10- 0D+ 0D-", true, {}},
        {"^V", "11+ 10+ 56+ 56- 10- 11-", true, {}},
        {"^v", "11+ 56+ 56- 11-", true, {}},
        {"{DOWN 3}", "28x+ 28x- 28x+ 28x- 28x+ 28x-", true, {}},
        {"{down}{Enter}", "28x+ 28x- 0D+ 0D-", true, {}},
        {"{DOWN}{ENTER}", "28x+ 28x- 0D+ 0D-", true, {}},
        {"%( )C", "12+ 20+ 20- 12- 10+ 43+ 43- 10-", true, {}},
        {"+{TAB}~", "10+ 09+ 09- 10- 0D+ 0D-", true, {}},
        {"{+}{%}{{}{}}",
         "10+ BB+ BB- 10- 10+ 35+ 35- 10- 10+ DB+ DB- 10- 10+ DD+ DD- 10-",
         true,
         {}},
        {"{f10}{numlock}", "79+ 79-", true, {}},
        // Key names in any case; F16 is the last function key.
        {"{F9}{pgup}{BKSP}{F16}{ESC}", "78+ 78- 21x+ 21x- 08+ 08- 7F+ 7F- 1B+ 1B-", true, {}},
        {"{F17}", "", true, {"Invalid Key Name"}},
        // Faults: an unclosed brace used to leave Alt held; counts were unchecked.
        {"%{ENTER", "12+ 12-", false, {"No Close"}},
        {"{ENTER", "", false, {"No Close"}},
        {"a{ENTER", "41+ 41-", false, {"No Close"}},
        {"", "", false, {}},
        {"{DOWN x}a", "41+ 41-", true, {"Invalid Key Name"}},
        {"{DOWN -1}", "", true, {"Invalid Key Name"}},
        {"{NOSUCHKEY}{}a", "41+ 41-", true, {"Invalid Key Name", "Invalid Key Name"}},
        {"{ABCDEFGHIJKLMNOPQRSTUVWXYZ}", "", true, {"Invalid Key Name"}},
        {"\x82\xa0", "", true, {"Invalid KeyName", "Invalid KeyName"}},
        {"^(ab)c", "11+ 41+ 41- 42+ 42- 11- 43+ 43-", true, {}},
    };
    for (const Case& c : cases) {
        const KeyMacroResult r = ParseKeyMacro(c.macro);
        EXPECT_EQ(Show(r.events), c.events) << c.macro;
        EXPECT_EQ(r.complete, c.complete) << c.macro;
        EXPECT_EQ(r.problems, c.problems) << c.macro;
    }
}

TEST(KeyMacro, RepeatCountsAreClamped) {
    for (const char* atLimit : {"{UP 100}", "{UP 101}", "{UP 999999999}", "{UP 999999999999}"})
        EXPECT_EQ(ParseKeyMacro(atLimit).events.size(), 2u * kMaxKeyRepeat) << atLimit;
    EXPECT_EQ(ParseKeyMacro("{UP 99}").events.size(), 2u * 99);
    EXPECT_EQ(ParseKeyMacro("{UP 0}").events.size(), 0u);
    EXPECT_EQ(ParseKeyMacro("{x 2}").events.size(), 4u);
}

// Names are found by a binary search: a row out of order would hide some of them.
TEST(KeyMacro, EveryNamedKeyIsFound) {
    for (const char* name :
         {"BACKSPACE", "BKSP",  "BS",         "BREAK", "CAPSLOCK", "CLEAR",   "DEL",  "DELETE",
          "DOWN",      "END",   "ENTER",      "ESC",   "ESCAPE",   "F1",      "F9",   "F10",
          "F16",       "HELP",  "HOME",       "INS",   "LEFT",     "NUMLOCK", "PGDN", "PGUP",
          "PRTSC",     "RIGHT", "SCROLLLOCK", "TAB",   "UP"})
        EXPECT_NE(KeyNameCode(name), 0u) << name;
}

TEST(KeystrokeSender, ReportsProblemsAndDelivers) {
    RecordingSink sink;
    fakes::ScriptedPrompter prompter;
    KeystrokeSender sender(sink, prompter);
    EXPECT_TRUE(sender.SendKeys("{HOME}{ENTER}", true));
    EXPECT_EQ(Show(sink.got), "24x+ 24x- 0D+ 0D-");
    EXPECT_FALSE(sender.SendKeys("", true));
    EXPECT_FALSE(sender.SendKeys("%{ENTER", true));
    EXPECT_EQ(prompter.asked, std::vector<std::string>{"No Close"});
    EXPECT_EQ(prompter.captions, std::vector<std::string>{"SendKeys"});
    // A problem is shown where it arose: the keys before it are already out, the keys
    // after it not yet.
    sink.got.clear();
    std::size_t sentWhenShown = 99;
    prompter.whileOpen = [&] { sentWhenShown = sink.got.size(); };
    EXPECT_TRUE(sender.SendKeys("{HOME}{BOGUS}{END}", true));
    EXPECT_EQ(sentWhenShown, 2u);
    EXPECT_EQ(Show(sink.got), "24x+ 24x- 23x+ 23x-");
    sink.ok = false;
    EXPECT_FALSE(sender.SendKeys("{UP}", true));
}
