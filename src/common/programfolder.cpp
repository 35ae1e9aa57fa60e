#include "programfolder.h"

#include <QDir>
#include <QStandardPaths>

namespace krv {

namespace {
QString& stored() {
    static QString folder;
    return folder;
}

QString dataFolderName(ProgramFolder::Data which) {
    switch (which) {
    case ProgramFolder::Data::ProjectConfigurations:
        return QStringLiteral("Project_Configurations");
    case ProgramFolder::Data::EepromImages:
        return QStringLiteral("EEPROM_Images");
    case ProgramFolder::Data::Documentation:
        return QStringLiteral("Documentation");
    case ProgramFolder::Data::Examples:
        return QStringLiteral("Examples");
    }
    return {};
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
    for (const Data which :
         {Data::ProjectConfigurations, Data::EepromImages, Data::Documentation, Data::Examples})
        QDir().mkpath(dataFolder(which));
}

void ProgramFolder::initialise(const QString& home) {
    QString folder = home;
    if (folder.isEmpty())
        folder = qEnvironmentVariable("KRV_HOME");
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                 QStringLiteral("/program");
    setPath(folder);
}

QString ProgramFolder::dataFolder(Data which) {
    return QDir::cleanPath(path() + QStringLiteral("/../") + dataFolderName(which));
}

QString ProgramFolder::file(const QString& name) {
    return path() + u'/' + name;
}

} // namespace krv
