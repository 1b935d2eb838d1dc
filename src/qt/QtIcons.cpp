// Finding a command icon: theme, then the bundled copy beside the program or in the
// XDG data directories.
#include "qt/QtIcons.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace varnel::qt {
namespace {

QIcon BundledIcon(const QString& name) {
    QStringList dirs{QCoreApplication::applicationDirPath() + QStringLiteral("/../share/varnel32")};
    for (const QString& d : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        dirs.push_back(d + QStringLiteral("/varnel32"));
    for (const QString& d : dirs) {
        const QString file = d + QStringLiteral("/icons/") + name + QStringLiteral(".png");
        if (QFileInfo::exists(file))
            return QIcon(file);
    }
    return {};
}

}  // namespace

QIcon CommandIcon(std::string_view name) {
    if (name.empty())
        return {};
    const QString n = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    return QIcon::fromTheme(n, BundledIcon(n));
}

}  // namespace varnel::qt
