// The find and replace dialog.
#include "qt/QtFindDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "text/Cp932.h"

namespace varnel::qt {
namespace {

QString FromCp932(const std::string& bytes) {
    return QString::fromStdString(text::Cp932ToUtf8(bytes));
}

}  // namespace

QtFindDialog::QtFindDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FindDialog"));
    setModal(false);
    setMinimumWidth(480);
    findLabel_ = new QLabel(this);
    find_ = new QLineEdit(this);
    find_->setObjectName(QStringLiteral("FindText"));
    findLabel_->setBuddy(find_);
    replaceLabel_ = new QLabel(this);
    replace_ = new QLineEdit(this);
    replace_->setObjectName(QStringLiteral("ReplaceText"));
    replaceLabel_->setBuddy(replace_);
    matchCase_ = new QCheckBox(this);
    matchCase_->setObjectName(QStringLiteral("MatchCase"));
    wholeWord_ = new QCheckBox(this);
    wholeWord_->setEnabled(false);  // the search has no notion of words
    direction_ = new QGroupBox(this);
    up_ = new QRadioButton(direction_);
    up_->setObjectName(QStringLiteral("Up"));
    down_ = new QRadioButton(direction_);
    down_->setObjectName(QStringLiteral("Down"));
    auto* dirLayout = new QHBoxLayout(direction_);
    dirLayout->addWidget(up_);
    dirLayout->addWidget(down_);

    findNext_ = new QPushButton(this);
    findNext_->setObjectName(QStringLiteral("FindNext"));
    findNext_->setDefault(true);
    replaceOne_ = new QPushButton(this);
    replaceOne_->setObjectName(QStringLiteral("Replace"));
    replaceAll_ = new QPushButton(this);
    replaceAll_->setObjectName(QStringLiteral("ReplaceAll"));
    close_ = new QPushButton(this);
    close_->setObjectName(QStringLiteral("Close"));

    auto* fields = new QGridLayout;
    fields->addWidget(findLabel_, 0, 0);
    fields->addWidget(find_, 0, 1);
    fields->addWidget(replaceLabel_, 1, 0);
    fields->addWidget(replace_, 1, 1);
    fields->addWidget(matchCase_, 2, 0, 1, 2);
    fields->addWidget(wholeWord_, 3, 0, 1, 2);
    fields->addWidget(direction_, 4, 0, 1, 2);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {findNext_, replaceOne_, replaceAll_, close_})
        buttons->addWidget(b);
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);

    connect(findNext_, &QPushButton::clicked, this, [this] {
        if (onFindNext)
            onFindNext(FindText(), Options());
    });
    connect(replaceOne_, &QPushButton::clicked, this, [this] {
        if (onReplace)
            onReplace(FindText(), ReplaceText(), Options());
    });
    connect(replaceAll_, &QPushButton::clicked, this, [this] {
        if (onReplaceAll)
            onReplaceAll(FindText(), ReplaceText(), Options());
    });
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);
}

void QtFindDialog::Open(Kind kind, const std::string& findText,
                        std::optional<platform::DialogPosition> at, bool english) {
    kind_ = kind;
    const bool replace = kind == Kind::Replace;
    auto say = [english](const char* en, const char* ja) {
        return QString::fromUtf8(english ? en : ja);
    };
    setWindowTitle(replace ? say("Replace", "置換") : say("Find", "検索"));
    findLabel_->setText(say("Fi&nd what:", "検索する文字列(&N):"));
    replaceLabel_->setText(say("Re&place with:", "置換後の文字列(&P):"));
    matchCase_->setText(say("Match &case", "大文字と小文字を区別する(&C)"));
    wholeWord_->setText(say("Match &whole word only", "単語単位で探す(&W)"));
    direction_->setTitle(say("Direction", "検索する方向"));
    up_->setText(say("&Up", "上へ(&U)"));
    down_->setText(say("&Down", "下へ(&D)"));
    findNext_->setText(say("&Find Next", "次を検索(&F)"));
    replaceOne_->setText(say("&Replace", "置換して次に(&R)"));
    replaceAll_->setText(say("Replace &All", "すべて置換(&A)"));
    close_->setText(say("Close", "閉じる"));
    replaceLabel_->setVisible(replace);
    replace_->setVisible(replace);
    replaceOne_->setVisible(replace);
    replaceAll_->setVisible(replace);
    direction_->setVisible(!replace);
    down_->setChecked(true);
    find_->setText(FromCp932(findText));
    find_->selectAll();
    if (at)
        move(at->left, at->top);
    show();
    raise();
    activateWindow();
    find_->setFocus();
}

void QtFindDialog::SetFindText(const std::string& findText) {
    find_->setText(FromCp932(findText));
}

platform::DialogPosition QtFindDialog::Position() const {
    return {x(), y()};
}

void QtFindDialog::done(int result) {
    QDialog::done(result);
    if (onClose)
        onClose();
}

platform::FindOptions QtFindDialog::Options() const {
    return {matchCase_->isChecked(), kind_ == Kind::Replace || down_->isChecked()};
}

std::string QtFindDialog::FindText() const {
    return text::Utf8ToCp932(find_->text().toStdString());
}

std::string QtFindDialog::ReplaceText() const {
    return text::Utf8ToCp932(replace_->text().toStdString());
}

}  // namespace varnel::qt
