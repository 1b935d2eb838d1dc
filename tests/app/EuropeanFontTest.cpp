// The European font in the window: the View toggle, and the offer made by a Western
// mail, which holds for that mail only.
#include <gtest/gtest.h>

#include "FormTest.h"

namespace varnel::app {
namespace {

using platform::Answer;

const std::string kWestern =
    "X-Status: READ\r\nSubject: w\r\nContent-Type: text/plain; charset=iso-8859-1\r\n\r\n"
    "It\x92s\r\n";
const std::string kJapanese = "X-Status: READ\r\nSubject: j\r\n\r\n\x93\xfa\x96\x7b\r\n";
const std::string kOffer = "Non-ASCII character exists. Change to European font?";

class EuropeanFontTest : public testing::FormTest {
  protected:
    void SetUp() override {
        western = Put("In/0001.txt", kWestern);
        japanese = Put("In/0002.txt", kJapanese);
        WriteSettings("[View]\r\nEnglishMenu=1\r\n");
    }
    bool Single() const { return form->SonEdit1().SingleByteMode(); }
    bool ShowsByte(char c) const { return form->SonEdit1().Text().find(c) != std::string::npos; }

    std::string western, japanese;
};

// Yes to the offer shows that mail in the European font; the next mail is Japanese again.
TEST_F(EuropeanFontTest, TheOfferHoldsForOneMail) {
    prompter.script = {Answer::Yes};
    TForm1& f = Start({western});
    ASSERT_EQ(prompter.asked, std::vector<std::string>{kOffer});
    EXPECT_TRUE(Single());
    EXPECT_TRUE(view.appearance.westernCharset);
    EXPECT_TRUE(ShowsByte('\x92'));  // the byte itself, not the look-alike "'"
    EXPECT_FALSE(view.checked["Europeanfont1"]);

    f.DdeOpenMail(japanese);
    EXPECT_FALSE(Single());
    EXPECT_FALSE(view.appearance.westernCharset);
    // The Western mail is offered again.
    prompter.script = {Answer::No};
    f.DdeOpenMail(western);
    EXPECT_EQ(prompter.asked.size(), 2u);
    EXPECT_FALSE(Single());
    EXPECT_FALSE(ShowsByte('\x92'));
}

TEST_F(EuropeanFontTest, TheViewItemTogglesAndReopensTheMail) {
    TForm1& f = Start({japanese});
    ASSERT_TRUE(RunCommand(f, "Europeanfont1"));
    EXPECT_TRUE(view.checked["Europeanfont1"]);
    EXPECT_TRUE(Single());
    EXPECT_TRUE(view.appearance.westernCharset);
    // A Western mail opened now is shown as it is, without the offer.
    f.DdeOpenMail(western);
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

}  // namespace
}  // namespace varnel::app
