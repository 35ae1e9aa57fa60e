#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;

namespace krv::sim {

// The board's end of a pseudo-terminal. The program opens the slave device as its serial port;
// the board reads and writes the master.
class PseudoTerminal : public QObject {
    Q_OBJECT
public:
    explicit PseudoTerminal(QObject* parent = nullptr);
    ~PseudoTerminal() override;

    bool open();
    // Closes both ends: the slave device disappears and the program's port reports an error.
    void close();
    bool isOpen() const { return master_ >= 0; }
    QString slavePath() const { return slavePath_; }

    // Queued when the slave's input is full, written as it drains.
    void write(const QByteArray& bytes);

Q_SIGNALS:
    void received(const QByteArray& bytes);

private:
    void readMaster();
    void flush();
    void pauseReading();

    int master_ = -1;
    // Held open for the terminal's whole life: the master never sees a hang-up when the program
    // closes and reopens its port, so the read notifier never fires on an empty line.
    int slave_ = -1;
    QString slavePath_;
    QSocketNotifier* readNotifier_ = nullptr;
    QSocketNotifier* writeNotifier_ = nullptr;
    QByteArray pending_;
};

} // namespace krv::sim
