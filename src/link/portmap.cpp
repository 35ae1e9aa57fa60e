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

void addPins(const QString& pins) {
    for (const QString& entry : pins.split(u',', Qt::SkipEmptyParts)) {
        const qsizetype eq = entry.indexOf(u'=');
        if (eq <= 0)
            continue;
        bool ok = false;
        const int number = entry.left(eq).trimmed().toInt(&ok);
        if (ok && number > 0)
            state().pinned.insert(number, entry.mid(eq + 1).trimmed());
    }
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

void PortMap::initialise(const QStringList& arguments) {
    addPins(qEnvironmentVariable("KRV_PORTS"));
    for (qsizetype i = 0; i + 1 < arguments.size(); ++i) {
        if (arguments.at(i) == QStringLiteral("--port"))
            addPins(arguments.at(i + 1));
    }
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
