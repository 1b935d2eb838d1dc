// Message boxes.
#include "qt/QtPrompter.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QString>

namespace varnel::qt {

namespace {

struct ButtonText {
    QMessageBox::StandardButton button;
    const char* english;
    const char* japanese;
};

constexpr ButtonText kButtonTexts[] = {
    {QMessageBox::Ok, "OK", "OK"},
    {QMessageBox::Cancel, "Cancel", "キャンセル"},
    {QMessageBox::Yes, "&Yes", "はい(&Y)"},
    {QMessageBox::No, "&No", "いいえ(&N)"},
};

}  // namespace

platform::Answer QtPrompter::Ask(const std::string& text, platform::Buttons buttons,
                                 platform::Severity severity) {
    return AskTitled("Varnel32", text, buttons, severity);
}

platform::Answer QtPrompter::AskTitled(const std::string& caption, const std::string& text,
                                       platform::Buttons buttons, platform::Severity severity) {
    QMessageBox::Icon icon = QMessageBox::Information;
    switch (severity) {
        case platform::Severity::Information:
            icon = QMessageBox::Information;
            break;
        case platform::Severity::Warning:
            icon = QMessageBox::Warning;
            break;
        case platform::Severity::Error:
            icon = QMessageBox::Critical;
            break;
        case platform::Severity::Question:
            icon = QMessageBox::Question;
            break;
    }
    QMessageBox::StandardButtons set = QMessageBox::Ok;
    QMessageBox::StandardButton def = QMessageBox::Ok;
    switch (buttons) {
        case platform::Buttons::Ok:
            break;
        case platform::Buttons::OkCancel:
            set = QMessageBox::Ok | QMessageBox::Cancel;
            break;
        case platform::Buttons::YesNo:
            set = QMessageBox::Yes | QMessageBox::No;
            def = QMessageBox::Yes;
            break;
        case platform::Buttons::YesNoCancel:
            set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
            def = QMessageBox::Yes;
            break;
    }
    QMessageBox box(icon, QString::fromStdString(caption), QString::fromUtf8(text), set, parent_);
    box.setDefaultButton(def);
    const bool english = english_ ? english_() : false;
    for (const ButtonText& b : kButtonTexts) {
        if (QAbstractButton* button = box.button(b.button))
            button->setText(QString::fromUtf8(english ? b.english : b.japanese));
    }
    switch (box.exec()) {
        case QMessageBox::Yes:
            return platform::Answer::Yes;
        case QMessageBox::No:
            return platform::Answer::No;
        case QMessageBox::Ok:
            return platform::Answer::Ok;
        default:
            // Closing the box with Escape or the window button counts as Cancel (or as the
            // only answer of a one-button box).
            return buttons == platform::Buttons::Ok ? platform::Answer::Ok
                                                    : platform::Answer::Cancel;
    }
}

}  // namespace varnel::qt
