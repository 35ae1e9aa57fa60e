#pragma once

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QString>

namespace krv::sim::test {

// The program's side of a simulated board: a real serial port on the simulator's device,
// opened as the program opens its board port, that keeps everything it receives.
class BoardPort : public QObject {
    Q_OBJECT
public:
    explicit BoardPort(const QString& devicePath);

    bool open();
    void close();
    QSerialPort& port() { return port_; }

    // Writes the line and its CR.
    void send(const QByteArray& line);
    // Sends the line and waits for a reply ending; returns what arrived since the send (possibly
    // without an ending when none came within a second).
    QByteArray exchange(const QByteArray& line);
    // Waits until what arrived after `from` ends in `count` reply endings.
    bool waitForEndings(qsizetype from, int count);

    // Everything received since the port was opened.
    QByteArray received() const { return received_; }
    // The last n characters received, as the program's reply tails hold them.
    QByteArray tail(int n) const { return received_.right(n); }

private:
    QSerialPort port_;
    QByteArray received_;
};

// Characters position..position+length-1 of a tail, counting from 1 at its left.
inline QByteArray field(const QByteArray& tail, int position, int length) {
    return tail.mid(position - 1, length);
}

inline constexpr char okEnding[] = "\n\rOK\n\r>";
inline constexpr char errorEnding[] = "RROR\n\r>";

} // namespace krv::sim::test
