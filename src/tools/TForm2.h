// The spelling check: the scan over the editor's text and the decisions of the
// spell-check window (TForm2). Positions are kept in paragraph terms, so they stay right
// however the editor wraps. The check belongs to the text it was started on: the window
// ends it before another mail is shown.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/Positions.h"
#include "editor/SonEdit.h"
#include "platform/Prompter.h"
#include "platform/SpellWindow.h"
#include "platform/Speller.h"
#include "tools/SpellWords.h"

namespace varnel::tools {

// The values of section "SpellCheck" a check uses, with the dictionaries resolved.
struct SpellCheckOptions {
    bool SpellChecker = false;
    bool IgnoreNumeric = true;
    bool IgnoreCapital = true;
    std::string Alpha = "!?,.:;\"-()<>";
    std::string Numeric = "01234567890#$%&*+=@`[\\]^_{|}~";
    std::string mainDictionary;  // as the speller takes it
    std::string userDictionary;  // the user's word list, one word a line
    std::string SpellFontName = "Arial";
    int SpellFontSize = 8;
    int Left = 200;
    int Top = 100;
};

// What closing the window writes back.
struct SpellWindowState {
    int Left = 0;
    int Top = 0;
    bool IgnoreNumeric = true;
    bool IgnoreCapital = true;
};

struct TForm2Services {
    platform::SpellWindow& window;
    platform::Prompter& prompter;
    platform::SpellerFactory makeSpeller;
    std::function<void(const SpellWindowState&)> saveState;
};

class TForm2 {
  public:
    explicit TForm2(TForm2Services services);
    TForm2(const TForm2&) = delete;
    TForm2& operator=(const TForm2&) = delete;

    // SpellCheck1Click: checks the selected word, or the text from the caret's paragraph.
    void Start(editor::TSonEdit& edit, const SpellCheckOptions& options);
    bool InProgress() const { return inProgress_; }
    bool Shown() const { return shown_; }

    // Window handlers.
    void OnClose1();
    void IgnoreButtonClick();
    void ChangeButtonClick();
    void AddButtonClick();
    void UndoButtonClick();
    void FromBeginningButtonClick();
    void ExitButtonClick();
    void ListBoxSelected1(int index);
    void CheckBoxCapitalClick(bool checked);
    void CheckBoxNumericClick(bool checked);

    // The scan position: paragraph and byte offset in its text.
    editor::LogicalPos ScanPosition() const { return scan_; }

  private:
    enum class ListKind { Suggestions, NoSuggestion, Duplicate };

    bool Prepare(editor::TSonEdit& edit);
    void Scan();
    int CheckWord(const std::string& word);
    void ShowWindow();
    void ShowList(const std::string& word, const std::string& replacement,
                  std::vector<std::string> items, ListKind kind);
    void ClearFields();
    void Continue();
    void SelectInParagraph(int para, std::size_t start, std::size_t length);
    int ParagraphCount() const;
    std::string ParagraphText(int para) const;
    void Finish(bool closeWindow);
    bool AppendUserWord(const std::string& word);

    TForm2Services io_;
    SpellCheckOptions options_;
    SpellCharSets sets_;
    editor::TSonEdit* edit_ = nullptr;
    std::unique_ptr<platform::Speller> speller_;
    bool inProgress_ = false;
    bool shown_ = false;
    ListKind listKind_ = ListKind::Suggestions;
    std::vector<std::string> list_;
    editor::LogicalPos scan_;
    editor::LogicalPos startCaret_;
    std::string previousWord_;
    std::string word_;  // the word the window shows
    // Where that word stands in the text (paragraph terms, so rewrapping cannot move it).
    editor::LogicalPos wordAt_;
    int wordLength_ = -1;  // -1: no word shown
};

}  // namespace varnel::tools
