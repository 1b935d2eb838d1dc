// Recording fakes of the text tools' seams: printer, speller, spell-check window and
// pick list.
#pragma once

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "platform/PickListView.h"
#include "platform/Printer.h"
#include "platform/SpellWindow.h"
#include "platform/Speller.h"

namespace varnel::fakes {

class RecordingPrinter : public platform::Printer {
  public:
    platform::PrintFont chosen{"Chosen", 12};
    bool confirmFont = true;
    platform::PrintResult result = platform::PrintResult::Printed;
    std::vector<platform::PrintFont> fontsOffered;
    std::vector<std::vector<std::string>> jobs;
    platform::PrintFont jobFont;
    std::string jobTitle;

    bool ChooseFont(platform::PrintFont& font) override {
        fontsOffered.push_back(font);
        if (confirmFont)
            font = chosen;
        return confirmFont;
    }
    platform::PrintResult PrintLines(const platform::PrintFont& font, const std::string& title,
                                     const std::vector<std::string>& lines,
                                     std::string& error) override {
        jobFont = font;
        jobTitle = title;
        jobs.push_back(lines);
        if (result == platform::PrintResult::Failed)
            error = "printer on fire";
        return result;
    }
};

// Knows a fixed set of lower-case words (any letter case matches); unknown words get
// the suggestions listed for them, or none.
class WordListSpeller : public platform::Speller {
  public:
    std::set<std::string> known;
    std::vector<std::pair<std::string, std::vector<std::string>>> suggestions;
    std::vector<std::string> added;
    std::vector<std::string> asked;
    bool dictionaryOk = true;
    std::string mainDic, userDic;

    bool SetDictionary(const std::string& main, const std::string& user) override {
        mainDic = main;
        userDic = user;
        return dictionaryOk;
    }
    int Alternatives(const std::string& word, std::vector<std::string>& out) override {
        asked.push_back(word);
        std::string lower = word;
        for (char& c : lower)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        if (known.count(lower) || std::find(added.begin(), added.end(), word) != added.end())
            return 0;
        out.clear();
        for (const auto& [w, list] : suggestions)
            if (w == word)
                out = list;
        return out.empty() ? -1 : static_cast<int>(out.size());
    }
    void AddSpell(const std::string& word) override { added.push_back(word); }
};

class RecordingSpellWindow : public platform::SpellWindow {
  public:
    bool shown = false;
    int showCount = 0;
    int left = 0, top = 0;
    bool ignoreCapital = false, ignoreNumeric = false;
    std::string word, replacement;
    std::vector<std::string> suggestions;
    Button focused = Button::Ignore;

    void Show() override {
        shown = true;
        ++showCount;
    }
    void Close() override { shown = false; }
    void Place(int l, int t) override {
        left = l;
        top = t;
    }
    void Position(int& l, int& t) const override {
        l = left;
        t = top;
    }
    void SetFont(const std::string&, int) override {}
    void SetCheckBoxes(bool capital, bool numeric) override {
        ignoreCapital = capital;
        ignoreNumeric = numeric;
    }
    void SetWord(const std::string& w) override { word = w; }
    void SetReplacement(const std::string& t) override { replacement = t; }
    std::string Replacement() const override { return replacement; }
    void SetSuggestions(const std::vector<std::string>& items) override { suggestions = items; }
    void Focus(Button b) override { focused = b; }
};

class RecordingPickList : public platform::PickListView {
  public:
    std::vector<std::string> entries;
    platform::PickListFont font;
    bool visible = false;
    void ShowEntries(const std::vector<std::string>& e, const platform::PickListFont& f) override {
        entries = e;
        font = f;
        visible = true;
    }
    void Hide() override { visible = false; }
    bool Visible() const override { return visible; }
};

}  // namespace varnel::fakes
