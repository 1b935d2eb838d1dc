// The spell-check window TForm2: the unknown word, the replacement, the suggestions, the
// two check boxes and the six buttons, each handed to the check's handlers.
#pragma once

#include <QDialog>

#include "platform/SpellWindow.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace varnel::tools {
class TForm2;
}

namespace varnel::qt {

class QtSpellWindow : public QDialog, public platform::SpellWindow {
    Q_OBJECT

  public:
    explicit QtSpellWindow(QWidget* parent = nullptr);
    void Bind(tools::TForm2* form) { form_ = form; }

    // platform::SpellWindow
    void Show() override;
    void Close() override;
    void Place(int left, int top) override;
    void Position(int& left, int& top) const override;
    void SetFont(const std::string& name, int size) override;
    void SetCheckBoxes(bool ignoreCapital, bool ignoreNumeric) override;
    void SetWord(const std::string& word) override;
    void SetReplacement(const std::string& text) override;
    std::string Replacement() const override;
    void SetSuggestions(const std::vector<std::string>& items) override;
    void Focus(Button button) override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QPushButton* AddButton(const char* name, const char* caption, void (tools::TForm2::*handler)());

    tools::TForm2* form_ = nullptr;
    QLineEdit* edit2_;  // the unknown word
    QLineEdit* edit1_;  // the replacement
    QListWidget* list_;
    QCheckBox* capital_;
    QCheckBox* numeric_;
    QPushButton* ignore_ = nullptr;
    QPushButton* change_ = nullptr;
    bool closingFromCheck_ = false;
};

}  // namespace varnel::qt
