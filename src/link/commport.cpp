#include "commport.h"

#include "common/error.h"
#include "portmap.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QSerialPort>

namespace krv {

CommPort::CommPort(QObject* parent) : QObject(parent), port_(new QSerialPort(this)) {
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
    if (port_->write(bytes) != bytes.size())
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
    // its reply. The characters are handed out from a posted call instead.
    postDelivery();
}

void CommPort::postDelivery() {
    if (deliveryPosted_ || next_ >= pending_.size())
        return;
    deliveryPosted_ = true;
    QMetaObject::invokeMethod(this, &CommPort::deliver, Qt::QueuedConnection);
}

void CommPort::deliver() {
    deliveryPosted_ = false;
    QElapsedTimer slice;
    slice.start();
    while (next_ < pending_.size()) {
        // A flood of output is handed out in slices, so that the window keeps answering.
        if (slice.elapsed() >= deliverySliceMs) {
            pending_.remove(0, next_);
            next_ = 0;
            postDelivery();
            return;
        }
        const char c = pending_.at(next_++);
        // If this character's handler enters a nested wait, the rest must still flow inside
        // it; a nested pass takes them from the same place, so the order holds.
        postDelivery();
        Q_EMIT characterReceived(c);
    }
    pending_.clear();
    next_ = 0;
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
