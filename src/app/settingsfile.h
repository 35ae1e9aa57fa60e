#pragma once

#include <QByteArray>
#include <QString>

namespace krv {

// KRV.ini: the board scan's port range and the two start-up options.
struct Settings {
    QString commportMin = QStringLiteral("1");
    long loadWorkspace = 0;
    long autoLoadConfiguration = 0;
    QString commportMax = QStringLiteral("8");

    static QString banner() { return QStringLiteral("# KRV ini file version 2.2.0"); }
    // Writes the file through QSaveFile; throws krv::Error when it cannot.
    void save(const QString& path) const;
    // Reads the file over `defaults`; an older banner keeps the default last port.
    // Throws krv::Error when the file is missing or an item is missing or of the wrong kind.
    static Settings read(const QString& path, const Settings& defaults);
};

} // namespace krv
