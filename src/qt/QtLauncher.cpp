// Outside programs through QProcess and QDesktopServices.
#include "qt/QtLauncher.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStringList>
#include <QUrl>

namespace varnel::qt {

namespace {
QString Utf8(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
}  // namespace

bool QtLauncher::Start(const std::vector<std::string>& argv, std::string& error) {
    if (argv.empty() || argv.front().empty()) {
        error = "no program given";
        return false;
    }
    QStringList args;
    for (std::size_t i = 1; i < argv.size(); ++i)
        args << Utf8(argv[i]);
    if (!QProcess::startDetached(Utf8(argv.front()), args)) {
        error = "cannot start " + argv.front();
        return false;
    }
    return true;
}

bool QtLauncher::OpenWithDesktop(const std::string& urlOrPath, std::string& error) {
    const QString s = Utf8(urlOrPath);
    const QUrl url = urlOrPath.starts_with("/") ? QUrl::fromLocalFile(s) : QUrl(s);
    if (!url.isValid() || url.scheme().isEmpty() || !QDesktopServices::openUrl(url)) {
        error = "cannot open " + urlOrPath;
        return false;
    }
    return true;
}

}  // namespace varnel::qt
