#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QSerialPort;
class QTimer;

namespace krv {

// One serial port in the vocabulary the program was designed around: a COM number, a settings
// text "19200,N,8,1", PortOpen, Output, and one event per received character. Received bytes
// are handed out one at a time, in order, from one call at the event loop's next pass for all
// that has arrived; a call is set up only when none is pending. A character handler may start a
// nested wait (a send): the characters behind it, and those still to come, are delivered inside
// that wait.
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
    // A nested wait is about to start. When it starts from one of this port's character
    // handlers, the characters behind that one are handed out inside the wait.
    void waitStarting();

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
    QTimer* delivery_;   // runs once, at the event loop's next pass, while characters wait
    int delivering_ = 0; // how many deliveries are running, nested in handlers' waits
    int number_ = 1;
    QString path_;
    QString settings_ = QStringLiteral("19200,N,8,1");
    bool dtr_ = false;
    bool rts_ = false;
};

} // namespace krv
