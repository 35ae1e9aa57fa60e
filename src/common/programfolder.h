#pragma once

#include <QString>
#include <QStringList>

namespace krv {

// Where KRV.ini, KRV.wsp and the register database live: --home DIR, else KRV_HOME, else a
// per-user data folder. The data folders (Project_Configurations, EEPROM_Images, ...) sit
// beside it.
class ProgramFolder {
public:
    static QString path();
    static void setPath(const QString& path);
    // Picks the folder from the command line and the environment, and creates it.
    static void initialise(const QStringList& arguments);
    // A data folder beside the program folder ("Project_Configurations" -> ../Project_...).
    static QString dataFolder(const QString& name);
    // A file inside the program folder.
    static QString file(const QString& name);
};

} // namespace krv
