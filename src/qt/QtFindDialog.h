// The find and replace dialog: one modeless window that shows either form. Find Next
// searches in the chosen direction; the replace form searches down and adds Replace
// and Replace All.
#pragma once

#include <QDialog>

#include "platform/FindDialog.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QGroupBox;

namespace varnel::qt {

class QtFindDialog : public QDialog, public platform::FindDialog {
    Q_OBJECT

  public:
    explicit QtFindDialog(QWidget* parent);

    void Open(Kind kind, const std::string& findText, std::optional<platform::DialogPosition> at,
              bool english) override;
    void SetFindText(const std::string& findText) override;
    platform::DialogPosition Position() const override;

  protected:
    void done(int result) override;

  private:
    platform::FindOptions Options() const;
    std::string FindText() const;
    std::string ReplaceText() const;

    Kind kind_ = Kind::Find;
    QLabel* findLabel_;
    QLineEdit* find_;
    QLabel* replaceLabel_;
    QLineEdit* replace_;
    QCheckBox* matchCase_;
    QCheckBox* wholeWord_;
    QGroupBox* direction_;
    QRadioButton* up_;
    QRadioButton* down_;
    QPushButton* findNext_;
    QPushButton* replaceOne_;
    QPushButton* replaceAll_;
    QPushButton* close_;
};

}  // namespace varnel::qt
