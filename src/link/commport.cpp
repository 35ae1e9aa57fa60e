#include "commport.h"

#include "common/error.h"
#include "portmap.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QSerialPort>
#include <QTimer>
#include <unistd.h>

namespace krv {

CommPort::CommPort(QObject* parent)
    : QObject(parent), port_(new QSerialPort(this)), delivery_(new QTimer(this)) {
    // The next pass of the event loop hands the characters out. A timer of no interval
    // wakes no one: a posted event would cost the loop a wake-up of its own on every reply.
    delivery_->setSingleShot(true);
    delivery_->setInterval(0);
    connect(delivery_, &QTimer::timeout, this, &CommPort::deliver);
    connect(port_, &QSerialPort::readyRead, this, &CommPort::readAvailable);
    connect(port_, &QSerialPort::errorOccurred, this,
            [this](QSerialPort::SerialPortError error) { onError(int(error)); });
}

CommPort::~CommPort() {
    if (port_->isOpen())
        port_->close();
}

namespace {

// How long one pass hands out characters before it lets the window's other events in.
constexpr qint64 deliverySliceMs = 10;

void applySettings(QSerialPort& port, const QString& settings) {
    const QStringList parts = settings.split(u',');
    port.setBaudRate(parts.value(0).toInt());
    const QString parity = parts.value(1).toUpper();
    port.setParity(parity == u"E"   ? QSerialPort::EvenParity
                   : parity == u"O" ? QSerialPort::OddParity
                                    : QSerialPort::NoParity);
    port.setDataBits(parts.value(2) == u"7" ? QSerialPort::Data7 : QSerialPort::Data8);
    port.setStopBits(parts.value(3) == u"2" ? QSerialPort::TwoStop : QSerialPort::OneStop);
    port.setFlowControl(QSerialPort::NoFlowControl);
}

Error openFailure(const QSerialPort& port, const QString& path) {
    switch (port.error()) {
    case QSerialPort::DeviceNotFoundError:
        return Error(errors::InvalidPortNumber, QStringLiteral("Invalid port number"));
    case QSerialPort::PermissionError: {
        const QFileInfo info(path);
        if (info.isReadable() && info.isWritable())
            return Error(
                errors::PortAlreadyOpen,
                QStringLiteral("Port already open (%1 is held by another program)").arg(path));
        const QString group = info.group().isEmpty() ? QStringLiteral("dialout") : info.group();
        return Error(errors::PermissionDenied,
                     QStringLiteral("Permission denied: %1 may be opened by the group \"%2\"; "
                                    "add your user to it and log in again")
                         .arg(path, group));
    }
    case QSerialPort::OpenError:
        return Error(errors::PortAlreadyOpen, QStringLiteral("Port already open"));
    default:
        return Error(errors::InvalidPortNumber, port.errorString());
    }
}

} // namespace

void CommPort::setSettings(const QString& settings) {
    settings_ = settings;
    // An open port changes speed at once: the firmware loader switches it between writes.
    if (port_->isOpen())
        applySettings(*port_, settings_);
}

void CommPort::setPortOpen(bool open) {
    if (!open) {
        if (port_->isOpen())
            port_->close();
        dropPending();
        return;
    }
    if (port_->isOpen())
        throw Error(errors::PortAlreadyOpen, QStringLiteral("Port already open"));
    const QString path = PortMap::devicePath(number_);
    if (path.isEmpty() || !QFileInfo::exists(path))
        throw Error(errors::InvalidPortNumber, QStringLiteral("Invalid port number"));
    path_ = path;
    port_->setPortName(path);
    applySettings(*port_, settings_);
    if (!port_->open(QIODevice::ReadWrite))
        throw openFailure(*port_, path);
    port_->setDataTerminalReady(dtr_);
    port_->setRequestToSend(rts_);
    dropPending();
}

bool CommPort::portOpen() const {
    return port_->isOpen();
}

void CommPort::output(const QByteArray& bytes) {
    if (!port_->isOpen())
        throw Error(errors::PortNotOpen,
                    QStringLiteral("Operation valid only when the port is open"));
    // Straight to the device when nothing waits before it: going through the port's buffer
    // switches its write notifier on and off around every line, two more wake-ups of the
    // event loop per command. What the device does not take at once goes the buffered way.
    qsizetype written = 0;
    if (port_->bytesToWrite() == 0) {
        const ssize_t n = ::write(int(port_->handle()), bytes.constData(), size_t(bytes.size()));
        written = n > 0 ? qsizetype(n) : 0;
    }
    if (written == bytes.size())
        return;
    const QByteArray rest = bytes.mid(written);
    if (port_->write(rest) != rest.size())
        throw Error(errors::DeviceIo, port_->errorString());
    // Hand the bytes to the device now: a port closed right after (raw data mode) must not
    // drop them, and the board should not wait for the next event loop pass.
    port_->flush();
}

void CommPort::dropPending() {
    pending_.clear();
    next_ = 0;
}

void CommPort::clearInput() {
    dropPending();
    if (port_->isOpen())
        port_->clear(QSerialPort::Input);
}

QString CommPort::devicePath() const {
    return port_->isOpen() ? path_ : PortMap::devicePath(number_);
}

void CommPort::readAvailable() {
    pending_ += port_->readAll();
    // Handing characters out from inside readyRead would stall the port: Qt does not emit
    // readyRead again while its slot runs, so a handler that sends and waits would never see
    // its reply. The characters are handed out at the event loop's next pass instead.
    postDelivery();
}

void CommPort::postDelivery() {
    if (delivery_->isActive() || next_ >= pending_.size())
        return;
    delivery_->start();
}

void CommPort::waitStarting() {
    // The characters behind the one whose handler now waits are handed out inside the wait,
    // ahead of what arrives during it.
    if (delivering_ > 0)
        postDelivery();
}

void CommPort::deliver() {
    ++delivering_;
    QElapsedTimer slice;
    slice.start();
    // Everything that has arrived goes out in this one call; a wait started by a handler
    // takes the rest from the same place (waitStarting), so the order holds.
    while (next_ < pending_.size()) {
        // A flood of output is handed out in slices, so that the window keeps answering.
        if (slice.elapsed() >= deliverySliceMs) {
            pending_.remove(0, next_);
            next_ = 0;
            postDelivery();
            break;
        }
        Q_EMIT characterReceived(pending_.at(next_++));
    }
    if (next_ >= pending_.size())
        dropPending();
    --delivering_;
}

void CommPort::onError(int error) {
    // A device that went away shows up as a read or write error on some systems and as a
    // resource error on others; an error while the device still exists is passing.
    switch (QSerialPort::SerialPortError(error)) {
    case QSerialPort::ResourceError:
    case QSerialPort::DeviceNotFoundError:
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
        if (port_->isOpen() && !QFileInfo::exists(path_)) {
            port_->close();
            dropPending();
            Q_EMIT vanished();
        }
        break;
    default:
        break;
    }
}

} // namespace krv
