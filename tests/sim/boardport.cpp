#include "boardport.h"

#include <QTest>

namespace krv::sim::test {

namespace {

// Generous: a wait ends as soon as the reply is in, and a machine busy with other builds can
// hold the simulator up for a good part of a second.
constexpr int replyTimeoutMs = 10000;

int countEndings(const QByteArray& bytes) {
    return bytes.count(okEnding) + bytes.count(errorEnding);
}

} // namespace

BoardPort::BoardPort(const QString& devicePath) {
    port_.setPortName(devicePath);
    connect(&port_, &QSerialPort::readyRead, this, [this] { received_.append(port_.readAll()); });
}

bool BoardPort::open() {
    port_.setBaudRate(QSerialPort::Baud19200);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!port_.open(QIODevice::ReadWrite)) {
        return false;
    }
    port_.setDataTerminalReady(true);
    port_.setRequestToSend(true);
    return true;
}

void BoardPort::close() {
    port_.close();
}

void BoardPort::send(const QByteArray& line) {
    port_.write(line + '\r');
}

QByteArray BoardPort::exchange(const QByteArray& line) {
    const qsizetype from = received_.size();
    send(line);
    waitForEndings(from, 1);
    return received_.mid(from);
}

bool BoardPort::waitForEndings(qsizetype from, int count) {
    return QTest::qWaitFor([&] { return countEndings(received_.mid(from)) >= count; },
                           replyTimeoutMs);
}

} // namespace krv::sim::test
