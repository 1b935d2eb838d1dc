// Golden display outputs: every tests/data/header/*.eml is decoded in the three header
// modes and compared with NAME.full.txt, NAME.summary.txt and NAME.norcpt.txt (CP932,
// CR LF). NAME.after holds the file after opening when it must change; without it the
// file must stay byte-identical. NAME.opts sets options and expected state.
// Set VARNEL_UPDATE_GOLDEN=1 to rewrite the expected files from the current output.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include "MailTestFiles.h"
#include "mail/DecodeMail.h"
#include "mail/HeaderToggle.h"

using namespace varnel::mail;
namespace fs = std::filesystem;

namespace {

const fs::path kDir = fs::path(VARNEL_TEST_DATA) / "header";

std::map<std::string, std::string> ReadOpts(const fs::path& p) {
    std::map<std::string, std::string> m;
    std::ifstream in(p);
    for (std::string line; std::getline(in, line);) {
        auto eq = line.find('=');
        if (eq != std::string::npos)
            m[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return m;
}

HeaderOptions OptionsFrom(const std::map<std::string, std::string>& m) {
    HeaderOptions o;
    for (const auto& [k, v] : m) {
        if (k == "MaxTo")
            o.MaxTo = std::stoi(v);
        else if (k == "TabToSpace")
            o.TabToSpace = std::stoi(v);
        else if (k == "HeaderList")
            o.HeaderList = v;
        else if (k == "FixAddress")
            o.FixAddress = v == "1";
        else if (k == "MinutesToCorrect")
            o.MinutesToCorrect = std::stoi(v);
        else if (k.starts_with("Alert") && k.size() == 6)
            o.Alerts[static_cast<std::size_t>(k[5] - '1')].text = v;
    }
    const std::uint32_t colours[5] = {16776960, 16711935, 65280, 16777215, 255};
    for (std::size_t i = 0; i < 5; ++i)
        o.Alerts[i].colour = colours[i];
    return o;
}

bool Updating() {
    return std::getenv("VARNEL_UPDATE_GOLDEN") != nullptr;
}

void Compare(const fs::path& expectedFile, const std::string& actual, const std::string& what) {
    if (Updating()) {
        std::ofstream(expectedFile, std::ios::binary) << actual;
        return;
    }
    EXPECT_EQ(actual, test::ReadAll(expectedFile)) << what;
}

}  // namespace

TEST(GoldenDisplay, AllModesAndFileAfterOpening) {
    std::vector<fs::path> mails;
    for (const auto& e : fs::directory_iterator(kDir))
        if (e.path().extension() == ".eml")
            mails.push_back(e.path());
    std::sort(mails.begin(), mails.end());
    ASSERT_GE(mails.size(), 7u);

    for (const auto& mail : mails) {
        const std::string name = mail.stem().string();
        const auto opts = ReadOpts(kDir / (name + ".opts"));
        const HeaderOptions base = OptionsFrom(opts);
        const std::string bytes = test::ReadAll(mail);
        const std::string path = "/home/u/Pelk/in/0001.txt";
        DecodeState state;

        struct Mode {
            const char* suffix;
            bool header, showTo;
        } modes[] = {{"full", true, true}, {"summary", false, true}, {"norcpt", false, false}};
        for (const auto& mode : modes) {
            HeaderOptions o = base;
            o.Header = mode.header;
            o.ShowTo = mode.showTo;
            DecodedMail d = DecodeMailForDisplay(path, bytes, o, state);
            Compare(kDir / (name + "." + mode.suffix + ".txt"), test::Crlf(d.lines),
                    name + " " + mode.suffix);
        }

        HeaderOptions o = base;
        DecodedMail d = DecodeMailForDisplay(path, bytes, o, state);
        const fs::path after = kDir / (name + ".after");
        if (Updating()) {
            if (d.rewritten)
                std::ofstream(after, std::ios::binary) << *d.rewritten;
            else
                fs::remove(after);
        } else if (fs::exists(after)) {
            ASSERT_TRUE(d.rewritten) << name << ": expected a rewrite";
            EXPECT_EQ(*d.rewritten, test::ReadAll(after)) << name;
        } else {
            EXPECT_FALSE(d.rewritten) << name << ": file must stay byte-identical";
        }

        if (auto it = opts.find("expect.alertColour"); it != opts.end()) {
            EXPECT_EQ(d.alertColour, std::stoul(it->second)) << name;
        }
        if (auto it = opts.find("expect.showRecipientsNow"); it != opts.end()) {
            EXPECT_EQ(d.showRecipientsNow, it->second == "1") << name;
            // The toggle first shows the hidden recipients without changing the settings;
            // the next press goes to the full header.
            HeaderModeSettings next = NextHeaderMode({false, true}, d.showRecipientsNow);
            EXPECT_FALSE(next.header);
            EXPECT_TRUE(next.showTo);
            DecodeState overridden;
            overridden.recipientOverride = true;
            DecodedMail shown = DecodeMailForDisplay(path, bytes, o, overridden);
            EXPECT_TRUE(shown.showRecipientsNow);
            Compare(kDir / (name + ".toggle.txt"), test::Crlf(shown.lines), name + " toggle");
            EXPECT_TRUE(NextHeaderMode(next, shown.showRecipientsNow).header);
        }
    }
}
