// Open and save-as dialogs.
#include "qt/QtFileDialog.h"

#include <QFile>
#include <QFileDialog>
#include <QStringList>

namespace varnel::qt {

QString QtFilterOf(const std::string& filter) {
    const QStringList parts = QString::fromUtf8(filter.c_str()).split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& p : patterns) {
            if (p == QLatin1String("*.*"))
                p = QStringLiteral("*");
        }
        out << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return out.join(QStringLiteral(";;"));
}

namespace {

std::optional<std::string> Run(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QFile::encodeName(dialog.selectedFiles().front()).toStdString();
}

}  // namespace

std::optional<std::string> QtFileDialog::AskOpen(const std::string& startDir,
                                                 const std::string& filter) {
    QFileDialog dialog(parent_, QString(), QFile::decodeName(startDir.c_str()), QtFilterOf(filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return Run(dialog);
}

std::optional<std::string> QtFileDialog::AskSave(const std::string& startDir,
                                                 const std::string& proposedName,
                                                 const std::string& filter,
                                                 const std::string& defaultExt) {
    QFileDialog dialog(parent_, QString(), QFile::decodeName(startDir.c_str()), QtFilterOf(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString::fromStdString(defaultExt));
    if (!proposedName.empty())
        dialog.selectFile(QFile::decodeName(proposedName.c_str()));
    return Run(dialog);
}

}  // namespace varnel::qt
