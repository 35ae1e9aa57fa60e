// The FIFO test: writing the TX FIFO, reading and checking the RX FIFO, FIFO content files.

#include "common/dialogs.h"
#include "common/numbers.h"
#include "consolefiles.h"
#include "consolewidgets.h"
#include "fifocheck.h"
#include "registerbits.h"
#include "spi.h"
#include "worktablemodel.h"

#include <QLineEdit>
#include <QProgressBar>

namespace krv {

using namespace console;

namespace {

qint64 counter(const QLineEdit* box) {
    return qint64(leadingNumber(box->text()));
}

} // namespace

void SPI::WriteTXff_Click() {
    QPointer<SPI> self(this);
    ProgressBar1->setValue(0);
    LoadboardBusy();
    QStringList problems;
    QList<FifoRow> rows;
    try {
        if (TxFifoSize > 0 && db_ && db_->isOpen())
            rows = db_->fifoRows(Fifo::Tx);
    } catch (const DatabaseError& error) {
        reportDatabase(error);
    }
    // The register path needs the FIFO register's write command.
    if (!rows.isEmpty() && !nFFS_control) {
        const RegisterWrite write = registerWrite(TxFifoAddress, QStringLiteral("00"));
        if (!write.ok()) {
            problems.append(write.problem);
            rows.clear();
        }
    }
    bool open = rows.isEmpty() || !nFFS_control || sendStep(QStringLiteral("L3\r"), self);
    if (gone(self))
        return;
    QStringList skipped;
    for (qsizetype i = 0; i < rows.size() && open; ++i) {
        const QString hex = rows[i].hex;
        if (!isHexValue(hex)) {
            skipped.append(QString::number(rows[i].item));
        } else {
            const QString byte = hex.size() == 1 ? u'0' + hex : hex;
            open = sendStep(nFFS_control ? QStringLiteral("WS ") + byte + u'\r'
                                         : registerWrite(TxFifoAddress, byte).line,
                            self);
            if (gone(self))
                return;
        }
        setProgress(i + 1, rows.size());
    }
    if (open && !rows.isEmpty() && nFFS_control) {
        sendStep(QStringLiteral("H3\r"), self);
        if (gone(self))
            return;
    }
    LoadboardReady();
    if (!skipped.isEmpty())
        problems.append(QStringLiteral("TX FIFO row(s) %1 hold no valid byte and were not sent.")
                            .arg(skipped.join(QStringLiteral(", "))));
    if (open)
        reportWriteProblems(problems);
}

bool SPI::sendStep(const QString& line, const QPointer<SPI>& self) {
    const std::optional<SendResult> reply = transfer(line);
    return !gone(self) && reply && reply->outcome != SendResult::Outcome::PortClosed;
}

void SPI::ReadRXff_Click() {
    QPointer<SPI> self(this);
    ProgressBar1->setValue(0);
    LoadboardBusy();
    QList<FifoRow> rows;
    try {
        if (RxFifoSize > 0 && db_ && db_->isOpen())
            rows = db_->fifoRows(Fifo::Rx);
    } catch (const DatabaseError& error) {
        reportDatabase(error);
    }
    if (!rows.isEmpty() && !nFFS_control && !isRegisterAddress(RxFifoAddress)) {
        Dialogs::message(QStringLiteral("The chip's RX FIFO address \"%1\" has no read command: "
                                        "only the addresses 00 to 7F can be read. Nothing was "
                                        "read.")
                             .arg(RxFifoAddress),
                         QStringLiteral("Register read"), Dialogs::Icon::Exclamation);
        rows.clear();
    }
    bool open = rows.isEmpty() || !nFFS_control || sendStep(QStringLiteral("L3\r"), self);
    if (gone(self))
        return;
    qint64 packetErrors = 0;
    for (qsizetype i = 0; i < rows.size() && open; ++i) {
        const std::optional<SendResult> reply =
            transfer(nFFS_control ? QStringLiteral("RS \r") : registerReadLine(RxFifoAddress));
        if (gone(self) || !reply)
            return;
        open = reply->outcome != SendResult::Outcome::PortClosed;
        const QString byte = reply->ok() ? reply->Last15.mid(5, 2) : QString();
        const int errors = bitErrors(byte, rows[i].expected);
        packetErrors += errors;
        try {
            db_->setFifoHex(Fifo::Rx, rows[i].item, byte);
            db_->setError(rows[i].item, errors > 0 ? QString::number(errors) : QString());
        } catch (const DatabaseError& error) {
            reportDatabase(error);
        }
        setProgress(i + 1, rows.size());
    }
    // A packet cut short by a closed port is no packet.
    if (open && !rows.isEmpty()) {
        FifoCounters counters{counter(Packets), counter(PacketLost), counter(Errors),
                              counter(Databits)};
        counters.count(packetErrors, RxFifoSize);
        Packets->setText(QString::number(counters.packets));
        PacketLost->setText(QString::number(counters.lost));
        if (counters.packets > 0)
            PER->setText(rateText(double(counters.lost) / double(counters.packets)));
        Errors->setText(QString::number(counters.errors));
        Databits->setText(QString::number(counters.databits));
        if (counters.databits > 0)
            BER->setText(rateText(double(counters.errors) / double(counters.databits)));
        sendStep(QStringLiteral("H3\r"), self);
        if (gone(self))
            return;
    }
    refreshFifos();
    LoadboardReady();
}

void SPI::ResetBER_Click() {
    for (QLineEdit* box : {Packets, PacketLost, Databits, Errors, BER, PER})
        box->setText(QStringLiteral("0"));
}

void SPI::saveFifo(Fifo fifo) {
    const bool tx = fifo == Fifo::Tx;
    runFileCommand(true, [&] {
        const QString path = askTextFile(this,
                                         tx ? QStringLiteral("Save TX FIFO Content to File")
                                            : QStringLiteral("Save Expected FIFO Content to File"),
                                         true);
        if (path.isEmpty())
            return;
        QStringList values;
        if ((tx ? TxFifoSize : RxFifoSize) > 0) {
            for (const FifoRow& row : fifoModel(fifo)->rows())
                values.append(tx ? row.hex : row.expected);
        }
        writeTextLines(path, fifoFileLines(values));
    });
}

void SPI::loadFifo(Fifo fifo) {
    const bool tx = fifo == Fifo::Tx;
    runFileCommand(false, [&] {
        const QString path =
            askTextFile(this,
                        tx ? QStringLiteral("Load TX FIFO Content from File")
                           : QStringLiteral("Load RX FIFO Expected Content from File"),
                        false);
        if (path.isEmpty())
            return;
        const QStringList lines = readTextLines(path);
        const int size = tx ? TxFifoSize : RxFifoSize;
        if (size < 1)
            return;
        const FifoFile file = fifoFromLines(lines, size);
        const QList<FifoRow> rows = fifoModel(fifo)->rows();
        try {
            for (qsizetype i = 0; i < rows.size() && i < file.values.size(); ++i) {
                if (tx)
                    db_->setFifoHex(Fifo::Tx, rows[i].item, file.values[i]);
                else
                    db_->setExpected(rows[i].item, file.values[i]);
            }
        } catch (const DatabaseError& error) {
            reportDatabase(error);
        }
        refreshFifos();
        if (file.loaded < size)
            Dialogs::message(tx ? QStringLiteral("Not enough data in the file!")
                                : QStringLiteral("Not enough data in the file!\r\n   %1 "
                                                 "databyte(s) loaded.")
                                      .arg(file.loaded),
                             QStringLiteral("Fifo fill problem..."));
        else if (file.surplus)
            Dialogs::message(QStringLiteral("There is too much data in the file!"),
                             QStringLiteral("Fifo fill problem..."));
    });
}

void SPI::OpenTXff_Click() {
    loadFifo(Fifo::Tx);
}

void SPI::OpenRXff_Click() {
    loadFifo(Fifo::Rx);
}

void SPI::SaveTXff_Click() {
    saveFifo(Fifo::Tx);
}

void SPI::SaveRXff_Click() {
    saveFifo(Fifo::Rx);
}

} // namespace krv
