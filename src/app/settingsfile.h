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

    // The scan ports the Preferences window accepts.
    static constexpr int FirstScanPort = 0;
    static constexpr int LastScanPort = 16;
    // Whether a port lies in that range, and the nearest port that does.
    static bool inScanRange(double port) { return port >= FirstScanPort && port <= LastScanPort; }
    static int nearestScanPort(double port) {
        return port < FirstScanPort  ? FirstScanPort
               : port > LastScanPort ? LastScanPort
                                     : int(port);
    }

    static QString banner() { return QStringLiteral("# KRV ini file version 2.2.0"); }
    // Writes the file through QSaveFile; throws krv::Error when it cannot, and (1229) for a port
    // text the file cannot hold.
    void save(const QString& path) const;
    // Reads the file over `defaults`; an older banner keeps the default last port. A scan port
    // is taken as the Preferences window takes it: beyond its range, the range's nearer end; not
    // a number at all, the default. Throws krv::Error when the file is missing or an item is
    // missing or of the wrong kind.
    static Settings read(const QString& path, const Settings& defaults);
};

} // namespace krv
