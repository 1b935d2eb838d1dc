// Spell-check window widgets.
#include "qt/QtSpellWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/QtFonts.h"
#include "text/Cp932.h"
#include "tools/TForm2.h"

namespace varnel::qt {
namespace {

QString FromCp932(const std::string& s) {
    return QString::fromStdString(text::Cp932ToUtf8(s));
}

}  // namespace

QtSpellWindow::QtSpellWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Varnel Spell Check"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* grid = new QGridLayout(this);
    edit2_ = new QLineEdit(this);
    edit2_->setObjectName(QStringLiteral("Edit2"));
    edit2_->setReadOnly(true);
    edit1_ = new QLineEdit(this);
    edit1_->setObjectName(QStringLiteral("Edit1"));
    edit1_->setMaxLength(255);
    edit1_->setAttribute(Qt::WA_InputMethodEnabled, false);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("ListBox1"));
    capital_ = new QCheckBox(QStringLiteral("すべて大文字"), this);
    capital_->setObjectName(QStringLiteral("CheckBoxCapital"));
    numeric_ = new QCheckBox(QStringLiteral("数記号を含む"), this);
    numeric_->setObjectName(QStringLiteral("CheckBoxNumeric"));

    grid->addWidget(new QLabel(QStringLiteral("辞書にない単語"), this), 0, 0);
    grid->addWidget(edit2_, 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("修正候補"), this), 2, 0);
    grid->addWidget(edit1_, 3, 0);
    grid->addWidget(new QLabel(QStringLiteral("修正候補一覧"), this), 4, 0);
    grid->addWidget(list_, 5, 0, 4, 1);
    grid->addWidget(new QLabel(QStringLiteral("無視する単語："), this), 9, 0);
    grid->addWidget(capital_, 10, 0);
    grid->addWidget(numeric_, 11, 0);

    auto* buttons = new QVBoxLayout();
    ignore_ = AddButton("IgnoreButton", "無視(&I)", &tools::TForm2::IgnoreButtonClick);
    change_ = AddButton("ChangeButton", "修正(&C)", &tools::TForm2::ChangeButtonClick);
    for (QPushButton* b :
         {ignore_, change_, AddButton("AddButton", "追加(&A)", &tools::TForm2::AddButtonClick),
          AddButton("UndoButton", "戻す(&U)", &tools::TForm2::UndoButtonClick),
          AddButton("FromBeginningButton", "最初(&B)", &tools::TForm2::FromBeginningButtonClick),
          AddButton("ExitButton", "終了(&X)", &tools::TForm2::ExitButtonClick)})
        buttons->addWidget(b);
    buttons->addStretch(1);
    grid->addLayout(buttons, 1, 1, 11, 1);

    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (form_)
            form_->ListBoxSelected1(list_->row(item));
    });
    connect(capital_, &QCheckBox::clicked, this, [this](bool on) {
        if (form_)
            form_->CheckBoxCapitalClick(on);
    });
    connect(numeric_, &QCheckBox::clicked, this, [this](bool on) {
        if (form_)
            form_->CheckBoxNumericClick(on);
    });
    layout()->setSizeConstraint(QLayout::SetFixedSize);  // a fixed dialog border
}

QPushButton* QtSpellWindow::AddButton(const char* name, const char* caption,
                                      void (tools::TForm2::*handler)()) {
    auto* b = new QPushButton(QString::fromUtf8(caption), this);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, [this, handler] {
        if (form_)
            (form_->*handler)();
    });
    return b;
}

void QtSpellWindow::Show() {
    show();
    raise();
    activateWindow();
}

void QtSpellWindow::Close() {
    closingFromCheck_ = true;
    close();
    closingFromCheck_ = false;
}

void QtSpellWindow::closeEvent(QCloseEvent* event) {
    // Closed by the user: the check ends (and writes the window's settings).
    if (!closingFromCheck_ && form_)
        form_->OnClose1();
    event->accept();
}

void QtSpellWindow::Place(int left, int top) {
    move(left, top);
}

void QtSpellWindow::Position(int& left, int& top) const {
    left = x();
    top = y();
}

void QtSpellWindow::SetFont(const std::string& name, int size) {
    QFont f(FontFamilyFor(text::Cp932ToUtf8(name)));
    f.setPointSize(size > 0 ? size : 8);
    for (QWidget* w : std::initializer_list<QWidget*>{edit1_, edit2_, list_})
        w->setFont(f);
}

void QtSpellWindow::SetCheckBoxes(bool ignoreCapital, bool ignoreNumeric) {
    capital_->setChecked(ignoreCapital);
    numeric_->setChecked(ignoreNumeric);
}

void QtSpellWindow::SetWord(const std::string& word) {
    edit2_->setText(FromCp932(word));
}

void QtSpellWindow::SetReplacement(const std::string& text) {
    edit1_->setText(FromCp932(text));
}

std::string QtSpellWindow::Replacement() const {
    return text::Utf8ToCp932(edit1_->text().toStdString());
}

void QtSpellWindow::SetSuggestions(const std::vector<std::string>& items) {
    list_->clear();
    for (const std::string& item : items)
        list_->addItem(FromCp932(item));
}

void QtSpellWindow::Focus(Button button) {
    (button == Button::Change ? change_ : ignore_)->setFocus();
}

}  // namespace varnel::qt
