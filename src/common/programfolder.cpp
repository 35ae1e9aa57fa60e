#include "programfolder.h"

#include <QDir>
#include <QStandardPaths>

namespace krv {

namespace {
QString& stored() {
    static QString folder;
    return folder;
}
} // namespace

QString ProgramFolder::path() {
    if (stored().isEmpty())
        initialise({});
    return stored();
}

void ProgramFolder::setPath(const QString& path) {
    stored() = QDir(path).absolutePath();
    QDir().mkpath(stored());
}

void ProgramFolder::initialise(const QStringList& arguments) {
    QString folder;
    const qsizetype at = arguments.indexOf(QStringLiteral("--home"));
    if (at >= 0 && at + 1 < arguments.size())
        folder = arguments.at(at + 1);
    if (folder.isEmpty())
        folder = qEnvironmentVariable("KRV_HOME");
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                 QStringLiteral("/program");
    setPath(folder);
}

QString ProgramFolder::dataFolder(const QString& name) {
    return QDir::cleanPath(path() + QStringLiteral("/../") + name);
}

QString ProgramFolder::file(const QString& name) {
    return path() + u'/' + name;
}

} // namespace krv
