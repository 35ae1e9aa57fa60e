// The console's frame: opening and closing, the database, the chip selection, the supply box,
// the busy state and sending.

#include "spi.h"

#include "app/ismmain.h"
#include "common/dialogs.h"
#include "common/numbers.h"
#include "common/programfolder.h"
#include "common/supply.h"
#include "consoletext.h"
#include "consolewidgets.h"
#include "registerbits.h"
#include "worktablemodel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFrame>
#include <QLineEdit>
#include <QLocale>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTableView>

namespace krv {

using namespace console;

SPI::SPI(ISMmain& main)
    : main_(main), settings_(new WorkTableModel(this)), txModel_(new FifoModel(Fifo::Tx, this)),
      rxModel_(new FifoModel(Fifo::Rx, this)) {
    buildFrame();
    wire();
}

SPI::~SPI() = default;

FifoModel* SPI::fifoModel(Fifo fifo) const {
    return fifo == Fifo::Tx ? txModel_ : rxModel_;
}

void SPI::Form_Load() {
    // The design's height as far as the workspace has room for it, so that the batches and the
    // register table show more lines; never less than the controls need. A workspace not yet
    // shown has no height to go by.
    constexpr double designHeightTwips = 10050;
    const QWidget* workspace = main_.mdiArea()->viewport();
    main_.sizeForm(this, 0,
                   workspace->isVisible()
                       ? std::min(designHeightTwips, double(pixelsToTwips(workspace->height())))
                       : 0);
    for (QFrame* page : Frame)
        page->hide();
    CurrentTab = 1;
    TabStrip1->setCurrentIndex(0);
    Frame[0]->show();
    Voltage->setText(main_.Pref_Voltage);
    loadChipList();
}

QList<QWidget*> SPI::keptInSight() const {
    // Batches run beside the FIFO test: its counters and grids show what they did.
    return {FifoBlock};
}

void SPI::loadChipList() {
    const auto retried = [](const DatabaseError& error) {
        return DatabaseError{error.text +
                             QStringLiteral("\r\nThe chip list tries again when it is opened.")};
    };
    chipListFailed_ = true;
    try {
        if (!db_)
            db_ = std::make_unique<RegisterDatabase>(ProgramFolder::file(QStringLiteral("KRV.db")));
        db_->open();
        ClearWorktables();
        QStringList unusable;
        chips_ = db_->chips(unusable);
        chipListFailed_ = false;
        if (!unusable.isEmpty())
            reportDatabase(DatabaseError{unusable.join(QStringLiteral("\r\n"))});
    } catch (const DatabaseError& error) {
        reportDatabase(retried(error));
    }
    fillingLists_ = true;
    ChipSelect->clear();
    for (const ChipRow& chip : chips_)
        ChipSelect->addItem(chip.name, chip.id);
    ChipSelect->setCurrentIndex(-1);
    fillingLists_ = false;
}

void SPI::ChipSelect_DropDown() {
    // A database that could not be read when the console opened (another program holding it
    // locked, say) is tried again each time the user looks for a chip.
    if (chipListFailed_)
        loadChipList();
}

void SPI::Form_Unload() {
    // An operation waiting for a reply ends after its current line.
    closing_ = true;
    main_.unloadForm(QStringLiteral("SPIsub2"));
    main_.mnuSPI->setChecked(false);
}

void SPI::reportDatabase(const DatabaseError& error) {
    Dialogs::message(QStringLiteral("The register database ") +
                         ProgramFolder::file(QStringLiteral("KRV.db")) +
                         QStringLiteral(" cannot be used:\r\n") + error.text,
                     QStringLiteral("Register database"), Dialogs::Icon::Exclamation);
}

void SPI::ClearWorktables() {
    TxFifoSize = 0;
    RxFifoSize = 0;
    TxFifoAddress.clear();
    RxFifoAddress.clear();
    nFFS_control = false;
    if (!db_ || !db_->isOpen())
        return;
    try {
        db_->clearWorktables();
    } catch (const DatabaseError& error) {
        reportDatabase(error);
    }
}

void SPI::HexToBinary(const QString& hex) {
    Binary = hexToBinary(hex);
}

void SPI::TabStrip1_Click() {
    const int shown = CurrentTab == 0 ? 1 : CurrentTab;
    Frame[shown - 1]->hide();
    CurrentTab = TabStrip1->currentIndex() + 1;
    Frame[CurrentTab - 1]->show();
}

void SPI::PB_Voltage_Click() {
    const double volts = double(roundHalfEven(leadingNumber(Voltage->text()) * 10)) / 10;
    Voltage->setText(plainNumberText(volts));
    if (volts < 1.8) {
        Voltage->setText(QStringLiteral("1.8"));
        Dialogs::message(QStringLiteral("Minimum supply voltage is 1.8 V!"),
                         Dialogs::defaultTitle(), Dialogs::Icon::Exclamation);
    }
    if (leadingNumber(Voltage->text()) > 4.0) {
        Voltage->setText(QStringLiteral("4.0"));
        Dialogs::message(QStringLiteral("Maximum supply voltage is 4.0 V!"),
                         Dialogs::defaultTitle(), Dialogs::Icon::Exclamation);
    }
    main_.Pref_Voltage = Voltage->text();
    if (main_.boardPortOpen())
        transfer(supplyLine(leadingNumber(Voltage->text()), supplyk::Console));
    else
        Dialogs::message(QStringLiteral("Commport not available, please open commport. PSU "
                                        "setting was not updated."),
                         Dialogs::defaultTitle(), Dialogs::Icon::Exclamation);
}

void SPI::ChipSelect_Change() {
    const int index = ChipSelect->currentIndex();
    if (index < 0 || index >= chips_.size() || !db_ || !db_->isOpen())
        return;
    const ChipRow chip = chips_[index];
    Text3->setText(chip.projectNr);
    ClearWorktables();
    statusRegisters_.clear();
    try {
        db_->fillSettings(chip.id, ByAddress[0]->isChecked());
        tickAllFilters();
        setView(QStringLiteral("WHERE StatusReg = 0 ORDER BY rowid"));
        TxFifoSize = chip.txFifoSize;
        RxFifoSize = chip.rxFifoSize;
        db_->fillFifo(Fifo::Tx, std::max(TxFifoSize, 0));
        db_->fillFifo(Fifo::Rx, std::max(RxFifoSize, 0));
        TxFifoAddress = chip.txFifoAddress;
        RxFifoAddress = chip.rxFifoAddress;
        nFFS_control = chip.nFFS_control;
        statusRegisters_ = db_->statusRegisters(chip.id);
    } catch (const DatabaseError& error) {
        reportDatabase(error);
        ClearWorktables();
        setView(viewClause_);
    }
    const std::pair<FifoGrid*, std::pair<int, const char*>> grids[] = {
        {TXFIFO, {TxFifoSize, "TX"}}, {RXFIFO, {RxFifoSize, "RX"}}};
    for (const auto& [grid, fifo] : grids) {
        const QString kind = QString::fromLatin1(fifo.second);
        grid->setTitle(fifo.first < 1 ? QStringLiteral("No %1 FIFO").arg(kind)
                                      : QStringLiteral("%1 / %2B").arg(kind).arg(fifo.first));
        grid->setEnabled(fifo.first >= 1);
    }
    refreshFifos();
    fillingLists_ = true;
    StatusRegCombo->clear();
    for (const StatusRegister& status : statusRegisters_)
        StatusRegCombo->addItem(status.name, status.address);
    StatusRegCombo->setCurrentIndex(-1);
    fillingLists_ = false;
    currentStatus_ = statusRegisters_.isEmpty() ? -1 : 0;
    clearStatusFrame();
    for (int r = 0; r < 6; ++r)
        clearRow(r);
    ProgressBar1->setValue(0);
    Notes->setText(ChipSelect->currentText() + QStringLiteral(", ") +
                   QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
}

void SPI::refreshFifos() {
    try {
        txModel_->setRows(db_ && db_->isOpen() ? db_->fifoRows(Fifo::Tx) : QList<FifoRow>());
        rxModel_->setRows(db_ && db_->isOpen() ? db_->fifoRows(Fifo::Rx) : QList<FifoRow>());
    } catch (const DatabaseError& error) {
        reportDatabase(error);
    }
}

// The long-operation buttons, and what would change the rows under a running operation.
QList<QWidget*> SPI::busyControls() const {
    QList<QWidget*> controls{Defaults, UpdateChip, RefreshTable, StatusRead, WriteTXff,
                             ReadRXff, ChipSelect, LoadSettings, OpenTXff,   OpenRXff};
    for (QPushButton* run : BatchRun)
        controls.append(run);
    for (int i = 0; i < 2; ++i)
        controls +=
            {ENRF[i], ENTest[i], ENDigital[i], ENMisc[i], ByAddress[i], ByName[i], ViewAll[i]};
    return controls;
}

void SPI::LoadboardBusy() {
    if (++busy_ > 1)
        return;
    for (QWidget* control : busyControls())
        control->setEnabled(false);
}

void SPI::LoadboardReady() {
    if (busy_ == 0 || --busy_ > 0)
        return;
    for (QWidget* control : busyControls())
        control->setEnabled(true);
}

void SPI::GUI_Sync() {
    for (int r = 0; r < 6; ++r) {
        const std::optional<WorkRow> row = lookup(M_Address[r]->text());
        if (!row)
            continue;
        M_Hexvalue[r]->setText(row->hexValue);
        paint(M_Hexvalue[r], colours::zero());
    }
}

std::optional<SendResult> SPI::transfer(const QString& line) {
    QPointer<SPI> self(this);
    SendResult result = main_.Send_To_LoadBoard(line);
    if (gone(self))
        return std::nullopt;
    return result;
}

bool SPI::gone(const QPointer<SPI>& self) {
    return !self || self->closing_;
}

void SPI::setProgress(qsizetype done, qsizetype total) {
    const qsizetype percent = total <= 0 ? 100 : roundHalfEven(double(done) * 100 / total);
    ProgressBar1->setValue(int(std::clamp<qsizetype>(percent, 0, 100)));
}

void SPI::reportReadFailure(const QStringList& addresses) {
    if (addresses.isEmpty())
        return;
    Dialogs::message(QStringLiteral("The board gave no valid reply when register(s) %1 were "
                                    "read. Their values were not changed.")
                         .arg(shortList(addresses)),
                     QStringLiteral("Register read"), Dialogs::Icon::Exclamation);
}

void SPI::reportNoReadCommand(const QStringList& addresses) {
    if (addresses.isEmpty())
        return;
    Dialogs::message((addresses.size() == 1 ? QStringLiteral("Register %1 has no read command")
                                            : QStringLiteral("Registers %1 have no read command"))
                             .arg(shortList(addresses)) +
                         QStringLiteral(": only the addresses 00 to 7F can be read. Nothing was "
                                        "sent."),
                     QStringLiteral("Register read"), Dialogs::Icon::Exclamation);
}

bool SPI::confirmedWrite(const QString& address, const QString& line) {
    const std::optional<SendResult> reply = transfer(line);
    if (!reply)
        return false;
    if (!reply->ok() && !reply->portClosed())
        reportWriteFailure({address});
    return reply->ok();
}

void SPI::reportWriteFailure(const QStringList& addresses) {
    if (addresses.isEmpty())
        return;
    Dialogs::message(QStringLiteral("The board gave no valid reply when register(s) %1 were "
                                    "written. The chip may not hold the new value(s).")
                         .arg(shortList(addresses)),
                     QStringLiteral("Register write"), Dialogs::Icon::Exclamation);
}

void SPI::reportWriteProblems(const QStringList& problems) {
    if (problems.isEmpty())
        return;
    Dialogs::message(problems.join(QStringLiteral("\r\n")) +
                         QStringLiteral("\r\nNothing was sent for this."),
                     QStringLiteral("Register write"), Dialogs::Icon::Exclamation);
}

} // namespace krv
