#pragma once

#include <QString>

namespace krv {

// Where KRV.ini, KRV.wsp and the register database live: --home DIR, else KRV_HOME, else a
// per-user data folder. The data folders (Project_Configurations, EEPROM_Images, ...) sit
// beside it.
class ProgramFolder {
public:
    enum class Data { ProjectConfigurations, EepromImages, Documentation, Examples };

    static QString path();
    // Takes the folder and creates it with the data folders beside it, as an installation has
    // them, so that every file dialog opens where its files belong.
    static void setPath(const QString& path);
    // `home` (from --home), else KRV_HOME, else the per-user folder.
    static void initialise(const QString& home);
    // A data folder beside the program folder (Data::ProjectConfigurations ->
    // ../Project_Configurations).
    static QString dataFolder(Data which);
    // A file inside the program folder.
    static QString file(const QString& name);
};

} // namespace krv
