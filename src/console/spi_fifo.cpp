// The FIFO test: writing the TX FIFO, reading and checking the RX FIFO, FIFO content files.

#include "common/dialogs.h"
#include "common/numbers.h"
#include "consolefiles.h"
#include "consoletext.h"
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
    QList<FifoRow> rows;
    try {
        if (TxFifoSize > 0 && db_ && db_->isOpen())
            rows = db_->fifoRows(Fifo::Tx);
    } catch (const DatabaseError& error) {
        reportDatabase(error);
    }
    // The register path needs the FIFO register's write command.
    const QString problem = fifoAddressProblem(true, ChipSelect->currentText(), TxFifoAddress);
    if (!rows.isEmpty() && !nFFS_control && !problem.isEmpty()) {
        Dialogs::message(problem, QStringLiteral("FIFO write"), Dialogs::Icon::Exclamation);
        return;
    }
    LoadboardBusy();
    bool open = rows.isEmpty() || !nFFS_control || sendStep(QStringLiteral("L3\r"), self);
    if (gone(self))
        return;
    QStringList skipped;
    QStringList unconfirmed;
    bool silent = false;
    qsizetype i = 0;
    for (; i < rows.size() && open && !silent; ++i) {
        const QString hex = rows[i].hex;
        const QString item = QString::number(rows[i].item);
        if (!isHexValue(hex)) {
            skipped.append(item);
        } else {
            const QString byte = hex.size() == 1 ? u'0' + hex : hex;
            const std::optional<SendResult> reply =
                transfer(nFFS_control ? QStringLiteral("WS ") + byte + u'\r'
                                      : registerWrite(TxFifoAddress, byte).line);
            if (!reply)
                return;
            open = !reply->portClosed();
            if (open && !reply->ok()) {
                unconfirmed.append(item);
                // Once the board stops answering, every further byte would wait out the reply
                // timer only to be lost as well; the packet is spoilt already.
                silent = reply->outcome == SendResult::Outcome::Timeout;
            }
        }
        setProgress(i + 1, rows.size());
    }
    if (open && !rows.isEmpty() && nFFS_control) {
        sendStep(QStringLiteral("H3\r"), self);
        if (gone(self))
            return;
    }
    LoadboardReady();
    // A closed port has been reported by the link already.
    if (!open)
        return;
    QStringList report;
    if (!skipped.isEmpty())
        report.append(QStringLiteral("TX FIFO row(s) %1 hold no valid byte and were not sent.")
                          .arg(shortList(skipped)));
    if (!unconfirmed.isEmpty())
        report.append(QStringLiteral("The board gave no valid reply when TX FIFO byte(s) %1 were "
                                     "written. The FIFO may not hold them.")
                          .arg(shortList(unconfirmed)));
    QStringList unsent;
    for (; i < rows.size(); ++i)
        unsent.append(QString::number(rows[i].item));
    if (!unsent.isEmpty())
        report.append(QStringLiteral("The board stopped answering, so TX FIFO byte(s) %1 were not "
                                     "sent.")
                          .arg(shortList(unsent)));
    if (!report.isEmpty())
        Dialogs::message(report.join(QStringLiteral("\r\n")), QStringLiteral("FIFO write"),
                         Dialogs::Icon::Exclamation);
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
    const QString problem = fifoAddressProblem(false, ChipSelect->currentText(), RxFifoAddress);
    if (!rows.isEmpty() && !nFFS_control && !problem.isEmpty()) {
        Dialogs::message(problem, QStringLiteral("FIFO read"), Dialogs::Icon::Exclamation);
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
        const QByteArray bytes = readTextFile(path);
        const int size = tx ? TxFifoSize : RxFifoSize;
        if (size < 1)
            return;
        const FifoFile file = readFifoFile(bytes, size);
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
