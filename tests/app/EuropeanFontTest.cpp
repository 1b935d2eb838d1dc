// The European font in the window: the View toggle, and the offer made by a Western
// mail, which holds for that mail only.
#include <gtest/gtest.h>

#include "FormFakes.h"
#include "TempDir.h"
#include "app/CommandTable.h"

namespace varnel::app {
namespace {

namespace fs = std::filesystem;
using platform::Answer;

const std::string kWestern =
    "X-Status: READ\r\nSubject: w\r\nContent-Type: text/plain; charset=iso-8859-1\r\n\r\n"
    "It\x92s\r\n";
const std::string kJapanese = "X-Status: READ\r\nSubject: j\r\n\r\n\x93\xfa\x96\x7b\r\n";
const std::string kOffer = "Non-ASCII character exists. Change to European font?";

class EuropeanFontTest : public ::testing::Test, protected testing::FormFakes {
  protected:
    void SetUp() override {
        testing::WriteBytes(western, kWestern);
        testing::WriteBytes(japanese, kJapanese);
        testing::WriteBytes(ini, "[View]\r\nEnglishMenu=1\r\n");
    }
    TForm1& Start(const fs::path& file) {
        form = StartForm({file.string()}, ini.string(), root.string(),
                         {{"PELKHOME", (root / "Pelk").string()}});
        return *form;
    }
    bool Single() const { return form->SonEdit1().SingleByteMode(); }
    bool ShowsByte(char c) const { return form->SonEdit1().Text().find(c) != std::string::npos; }

    testing::TempDir tmp;
    fs::path root{tmp.path()};
    fs::path western = root / "Pelk" / "In" / "0001.txt";
    fs::path japanese = root / "Pelk" / "In" / "0002.txt";
    fs::path ini = root / "varnel32.ini";
    std::unique_ptr<TForm1> form;
};

// Yes to the offer shows that mail in the European font; the next mail is Japanese again.
TEST_F(EuropeanFontTest, TheOfferHoldsForOneMail) {
    prompter.script = {Answer::Yes};
    TForm1& f = Start(western);
    ASSERT_EQ(prompter.asked, std::vector<std::string>{kOffer});
    EXPECT_TRUE(Single());
    EXPECT_TRUE(view.appearance.westernCharset);
    EXPECT_TRUE(ShowsByte('\x92'));  // the byte itself, not the look-alike "'"
    EXPECT_FALSE(view.checked["Europeanfont1"]);

    f.DdeOpenMail(japanese.string());
    EXPECT_FALSE(Single());
    EXPECT_FALSE(view.appearance.westernCharset);
    // The Western mail is offered again.
    prompter.script = {Answer::No};
    f.DdeOpenMail(western.string());
    EXPECT_EQ(prompter.asked.size(), 2u);
    EXPECT_FALSE(Single());
    EXPECT_FALSE(ShowsByte('\x92'));
}

TEST_F(EuropeanFontTest, TheViewItemTogglesAndReopensTheMail) {
    TForm1& f = Start(japanese);
    ASSERT_TRUE(RunCommand(f, "Europeanfont1"));
    EXPECT_TRUE(view.checked["Europeanfont1"]);
    EXPECT_TRUE(Single());
    EXPECT_TRUE(view.appearance.westernCharset);
    // A Western mail opened now is shown as it is, without the offer.
    f.DdeOpenMail(western.string());
    EXPECT_TRUE(prompter.asked.empty());
    EXPECT_TRUE(Single());
    EXPECT_TRUE(ShowsByte('\x92'));
    // Off again: the shown mail is decoded anew, with the offer.
    prompter.script = {Answer::No};
    RunCommand(f, "Europeanfont1");
    EXPECT_FALSE(view.checked["Europeanfont1"]);
    EXPECT_EQ(prompter.asked, std::vector<std::string>{kOffer});
    EXPECT_FALSE(Single());
    EXPECT_FALSE(ShowsByte('\x92'));
}

// A typed text is asked about first; Cancel keeps the text and the font.
TEST_F(EuropeanFontTest, TypedTextIsAskedAboutFirst) {
    const fs::path draft = root / "Pelk" / "out" / "0003.txt";
    testing::WriteBytes(draft, "To: a\r\n--------\r\n\r\nbody\r\n");
    TForm1& f = Start(draft);
    f.SonEdit1().TypeText("!");
    prompter.script = {Answer::Cancel};
    f.Europeanfont1Click();
    EXPECT_EQ(prompter.asked.size(), 1u);
    EXPECT_FALSE(view.checked["Europeanfont1"]);
    EXPECT_FALSE(Single());
    EXPECT_TRUE(f.SonEdit1().Modified());
}

}  // namespace
}  // namespace varnel::app
