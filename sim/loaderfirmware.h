#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <optional>

namespace krv::sim {

// The firmware loader a board runs in its loader personality. "C192", "C384" and "C576" (speed)
// and "C" (start) get no reply; after "C" every line is a record, kept and answered with XOFF
// while the loader writes it and XON when it is ready for the next, until the end record
// ":00000001FF" or a second without a record.
class LoaderFirmware {
public:
    static constexpr char Xoff = 0x13;
    static constexpr char Xon = 0x11;

    struct Options {
        int stopAfter = 0;     // answer only this many records, then fall silent (0: all)
        bool xonOnly = false;  // answer a record with XON alone
        bool oneWrite = false; // send XOFF and XON in one write
    };

    // How the loader answers a line it takes: nothing, or its writes in order.
    struct Answer {
        QByteArrayList writes;
    };

    void setOptions(const Options& options) { options_ = options; }
    // The loader's answer when the line is one of its own; nullopt leaves the line to the board.
    std::optional<Answer> take(const QString& line);

    bool downloading();
    // Speed commands in the order received ("C192", ...).
    QStringList speeds() const { return speeds_; }
    // Every record of every download, in order, without its line end.
    QStringList records() const { return records_; }

private:
    Answer answerRecord();

    Options options_;
    bool downloading_ = false;
    int answered_ = 0;
    QElapsedTimer lastLine_;
    QStringList speeds_;
    QStringList records_;
};

} // namespace krv::sim
