#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QSerialPort;

namespace krv {

// One serial port in the vocabulary the program was designed around: a COM number, a settings
// text "19200,N,8,1", PortOpen, Output, and one event per received character. Received bytes
// are handed out one at a time from a posted call of the event loop, in order, so a character
// handler may start a nested wait (a send) and the characters behind it, and those still to
// come, are delivered inside that wait.
class CommPort : public QObject {
    Q_OBJECT
public:
    explicit CommPort(QObject* parent = nullptr);
    ~CommPort() override;

    void setCommPort(int number) { number_ = number; }
    int commPort() const { return number_; }
    // "19200,N,8,1"; an open port takes it at once.
    void setSettings(const QString& settings);
    QString settings() const { return settings_; }
    void setDTREnable(bool on) { dtr_ = on; }
    void setRTSEnable(bool on) { rts_ = on; }

    // Opens or closes the port. Opening throws krv::Error: 8002 when COM n has no device,
    // 8005 when another program holds it, 70 when the user may not open it.
    void setPortOpen(bool open);
    bool portOpen() const;
    // Writes bytes; throws krv::Error 8018 when the port is closed.
    void output(const QByteArray& bytes);
    // Discards whatever was received and not yet handed out.
    void clearInput();
    QString devicePath() const;

Q_SIGNALS:
    void characterReceived(char c);
    // The device went away under an open port (unplugged, simulator gone); the port is closed.
    void vanished();

private:
    void readAvailable();
    void postDelivery();
    void deliver();
    void dropPending();
    void onError(int error);

    QSerialPort* port_;
    QByteArray pending_;
    qsizetype next_ = 0; // the first character of pending_ not yet handed out
    bool deliveryPosted_ = false;
    int number_ = 1;
    QString path_;
    QString settings_ = QStringLiteral("19200,N,8,1");
    bool dtr_ = false;
    bool rts_ = false;
};

} // namespace krv
