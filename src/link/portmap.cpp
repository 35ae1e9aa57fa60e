#include "portmap.h"

#include <QSerialPortInfo>
#include <algorithm>

namespace krv {

namespace {

struct State {
    QMap<int, QString> pinned;
};

State& state() {
    static State s;
    return s;
}

QMap<int, QString> machinePorts() {
    QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    std::stable_sort(ports.begin(), ports.end(),
                     [](const QSerialPortInfo& a, const QSerialPortInfo& b) {
                         const bool usbA = a.hasVendorIdentifier();
                         const bool usbB = b.hasVendorIdentifier();
                         if (usbA != usbB)
                             return usbA;
                         return a.systemLocation() < b.systemLocation();
                     });
    QMap<int, QString> map;
    int number = 1;
    for (const QSerialPortInfo& port : ports)
        map.insert(number++, port.systemLocation());
    return map;
}

} // namespace

PortMap::Pins PortMap::parsePins(const QString& list) {
    Pins pins;
    for (const QString& entry : list.split(u',', Qt::SkipEmptyParts)) {
        const qsizetype eq = entry.indexOf(u'=');
        bool ok = false;
        const int number = eq > 0 ? entry.left(eq).trimmed().toInt(&ok) : 0;
        const QString path = entry.mid(eq + 1).trimmed();
        if (!ok || number <= 0 || path.isEmpty()) {
            pins.error = QStringLiteral("\"%1\" is no N=PATH with N from 1 up").arg(entry);
            return pins;
        }
        pins.entries.insert(number, path);
    }
    return pins;
}

void PortMap::pin(int number, const QString& path) {
    state().pinned.insert(number, path);
}

void PortMap::clear() {
    state().pinned.clear();
}

QMap<int, QString> PortMap::entries() {
    if (!state().pinned.isEmpty())
        return state().pinned;
    return machinePorts();
}

QString PortMap::devicePath(int number) {
    return entries().value(number);
}

QString PortMap::describe(int number) {
    const QString path = devicePath(number);
    return path.isEmpty() ? QStringLiteral("COM %1").arg(number)
                          : QStringLiteral("COM %1 (%2)").arg(number).arg(path);
}

} // namespace krv
