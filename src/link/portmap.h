#pragma once

#include <QMap>
#include <QString>

namespace krv {

// COM numbers are what the program and its files speak of; on Linux each stands for a device
// path. Numbers pinned with --port N=PATH or KRV_PORTS ("3=/dev/pts/5,4=/dev/pts/6") make up the
// whole map; without pins the machine's serial ports get 1, 2, ... in a stable order, USB serial
// bridges first.
class PortMap {
public:
    // The pins of one list, "N=PATH[,N=PATH...]" with N from 1 up, or the reason it is not one.
    struct Pins {
        QMap<int, QString> entries;
        QString error;
    };
    static Pins parsePins(const QString& list);
    static void pin(int number, const QString& path);
    static void clear();
    // The device path of COM n, or an empty text when n has none.
    static QString devicePath(int number);
    // "COM 3 (/dev/ttyUSB0)", for lists and messages.
    static QString describe(int number);
    static QMap<int, QString> entries();
};

} // namespace krv
