// Message boxes.
#include "qt/QtPrompter.h"

#include <QMessageBox>
#include <QString>

namespace varnel::qt {

platform::Answer QtPrompter::Ask(const std::string& text, platform::Buttons buttons,
                                 platform::Severity severity) {
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
    QMessageBox box(icon, QStringLiteral("Varnel32"), QString::fromUtf8(text), set, parent_);
    box.setDefaultButton(def);
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
