// The register list: the view and its filters, the register editor, single and whole-table
// reads and writes.

#include "app/ismmain.h"
#include "common/dialogs.h"
#include "consolewidgets.h"
#include "registerbits.h"
#include "spi.h"
#include "worktablemodel.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

namespace krv {

using namespace console;

namespace {

const QString storedOrder = QStringLiteral("WHERE StatusReg = 0 ORDER BY rowid");

} // namespace

// ---- The view ---------------------------------------------------------------------------------

void SPI::setView(const QString& clause) {
    viewClause_ = clause;
    QList<WorkRow> rows;
    if (db_ && db_->isOpen() && !clause.isEmpty()) {
        try {
            rows = db_->workRows(clause);
        } catch (const DatabaseError& error) {
            reportDatabase(error);
        }
    }
    settings_->setRows(rows);
    refillNameLists();
    if (!rows.isEmpty())
        SettingsDataGrid->setCurrentIndex(settings_->index(0, 0));
}

QStringList SPI::tickedClasses() const {
    QStringList classes;
    const std::pair<QCheckBox*, const char*> filters[] = {{ENRF[0], "RFReg <> 0"},
                                                          {ENTest[0], "TestReg <> 0"},
                                                          {ENDigital[0], "DigitalReg <> 0"},
                                                          {ENMisc[0], "MiscReg <> 0"}};
    for (const auto& [box, condition] : filters) {
        if (box->isChecked())
            classes.append(QString::fromLatin1(condition));
    }
    return classes;
}

QString SPI::filterClause() const {
    const QStringList classes = tickedClasses();
    const QString where = classes.isEmpty() ? QStringLiteral("WHERE Address = 'n/a'")
                                            : QStringLiteral("WHERE ") + classes.join(" OR ");
    return where + (ByAddress[0]->isChecked() ? QStringLiteral(" ORDER BY Address COLLATE NOCASE")
                                              : QStringLiteral(" ORDER BY Name COLLATE NOCASE"));
}

void SPI::copyFilter(std::array<QCheckBox*, 2>& box, int index) {
    box[1 - index]->setChecked(box[index]->isChecked());
    setView(filterClause());
}

void SPI::copyOrder(std::array<QRadioButton*, 2>& option, int index) {
    option[1 - index]->setChecked(option[index]->isChecked());
    setView(filterClause());
}

void SPI::ENRF_Click(int index) {
    copyFilter(ENRF, index);
}

void SPI::ENTest_Click(int index) {
    copyFilter(ENTest, index);
}

void SPI::ENDigital_Click(int index) {
    copyFilter(ENDigital, index);
}

void SPI::ENMisc_Click(int index) {
    copyFilter(ENMisc, index);
}

void SPI::ByAddress_Click(int index) {
    copyOrder(ByAddress, index);
}

void SPI::ByName_Click(int index) {
    copyOrder(ByName, index);
}

void SPI::tickAllFilters() {
    for (int i = 0; i < 2; ++i) {
        for (QCheckBox* box : {ENRF[i], ENTest[i], ENDigital[i], ENMisc[i]})
            box->setChecked(true);
    }
}

void SPI::ViewAll_Click(int) {
    tickAllFilters();
    setView(storedOrder);
}

QString SPI::currentAddress() const {
    const QModelIndex current = SettingsDataGrid->currentIndex();
    return current.isValid() ? settings_->rows().value(current.row()).address : QString();
}

void SPI::restoreCurrent(const QString& address) {
    const int row = address.isEmpty() ? -1 : settings_->find(address);
    SettingsDataGrid->setCurrentIndex(row < 0 ? QModelIndex() : settings_->index(row, 0));
}

std::optional<WorkRow> SPI::lookup(const QString& address) const {
    const int row = address.isEmpty() ? -1 : settings_->find(address);
    if (row < 0)
        return std::nullopt;
    return settings_->rows()[row];
}

void SPI::storeValue(const QString& address, const QString& hex) {
    if (!db_ || !db_->isOpen())
        return;
    try {
        db_->storeValue(address, hex);
    } catch (const DatabaseError& error) {
        reportDatabase(error);
        return;
    }
    settings_->setValue(address, hex);
}

void SPI::updateRowsShowing(const QString& address, const QString& hex) {
    for (int r = 0; r < 6; ++r) {
        if (M_Address[r]->text() == address)
            M_Hexvalue[r]->setText(hex);
    }
}

// ---- The register editor ----------------------------------------------------------------------

void SPI::SettingsDataGrid_RowColChange() {
    const QModelIndex current = SettingsDataGrid->currentIndex();
    if (!current.isValid() || current.row() >= settings_->rowCount())
        return;
    const WorkRow row = settings_->rows()[current.row()];
    for (int i = 0; i < 8; ++i)
        bit[i]->setText(row.bits[i]);
    Address->setText(row.address);
    Name1->setText(row.name);
    HexValue->setText(row.hexValue);
    Description->setPlainText(row.description);
    Read->setEnabled(row.r);
    Send->setEnabled(row.w);
    HexValue_Change();
}

void SPI::SettingsDataGrid_AfterColUpdate(int column, const QString& text) {
    if (column != WorkTableModel::Hex)
        return;
    const QString value = lastTwo(text);
    const QString address = Address->text();
    const std::optional<WorkRow> row = lookup(address);
    if (!row)
        return;
    RegisterWrite write;
    if (row->w)
        write = registerWrite(address, value);
    else if (!isHexValue(value))
        write.problem = registerWrite(QStringLiteral("00"), value).problem;
    if (!write.ok()) {
        reportWriteProblems({write.problem});
        return;
    }
    // A value the chip did not take leaves the row at its stored value.
    if (row->w && !confirmedWrite(address, write.line))
        return;
    storeValue(address, value);
    // The user may have moved to another register during the wait.
    if (Address->text() == address) {
        HexValue->setText(value);
        HexValue_Change();
    }
    updateRowsShowing(address, value);
}

void SPI::HexValue_Change() {
    HexToBinary(HexValue->text());
    for (int i = 0; i < 8; ++i)
        bit[i]->setState(Binary[7 - i] == u'1' ? BitBox::State::One : BitBox::State::Zero);
}

void SPI::HexValue_KeyPress() {
    paint(HexValue, colours::Blue);
}

void SPI::bit_Click(int index) {
    bit[index]->setState(bit[index]->state() == BitBox::State::Zero ? BitBox::State::One
                                                                    : BitBox::State::Zero);
    int value = 0;
    for (int i = 7; i >= 0; --i)
        value = 2 * value + (bit[i]->state() == BitBox::State::One ? 1 : 0);
    HexValue->setText(QString::number(value, 16).toUpper().rightJustified(2, u'0'));
    paint(HexValue, colours::Blue);
}

void SPI::showBits(const std::array<BitBox*, 8>& boxes, const QString& hex) {
    HexToBinary(hex);
    for (int i = 0; i < 8; ++i)
        boxes[i]->setBit(Binary[7 - i]);
}

void SPI::Read_Click() {
    const QString address = Address->text();
    if (address.isEmpty())
        return;
    const RegisterReply reply = readRegister(address, {bit.begin(), bit.end()});
    if (!reply.ok())
        return;
    const QString value = reply.last15.mid(5, 2);
    HexValue->setText(value);
    storeValue(address, value);
    showBits(bit, value);
    paint(HexValue, colours::zero());
    updateRowsShowing(address, HexValue->text());
}

void SPI::Send_Click() {
    const QString address = Address->text();
    if (address.isEmpty())
        return;
    const RegisterWrite write = registerWrite(address, HexValue->text());
    if (!write.ok()) {
        reportWriteProblems({write.problem});
        return;
    }
    if (!confirmedWrite(address, write.line))
        return;
    HexValue->setText(write.value);
    storeValue(address, write.value);
    paint(HexValue, colours::zero());
    updateRowsShowing(address, HexValue->text());
}

// ---- Whole-table operations ---------------------------------------------------------------------

void SPI::RefreshTable_Click() {
    LoadboardBusy();
    ProgressBar1->setValue(0);
    tickAllFilters();
    const QString remembered = currentAddress();
    setView(storedOrder);
    const QList<WorkRow> rows = settings_->rows();
    QStringList failed;
    QStringList unreadable;
    bool portClosed = false;
    for (qsizetype i = 0; i < rows.size() && !portClosed; ++i) {
        const WorkRow& row = rows[i];
        if (row.r && !isRegisterAddress(row.address)) {
            unreadable.append(row.address);
        } else if (row.r) {
            const std::optional<SendResult> reply = transfer(registerReadLine(row.address));
            if (!reply)
                return;
            portClosed = reply->outcome == SendResult::Outcome::PortClosed;
            if (reply->ok())
                storeValue(row.address, reply->Last15.mid(5, 2));
            else if (!portClosed)
                failed.append(row.address);
        }
        setProgress(i + 1, rows.size());
    }
    LoadboardReady();
    GUI_Sync();
    restoreCurrent(remembered);
    if (!portClosed) {
        reportNoReadCommand(unreadable);
        reportReadFailure(failed);
    }
}

void SPI::UpdateChip_Click() {
    const QString remembered = currentAddress();
    LoadboardBusy();
    ProgressBar1->setValue(0);
    QList<WorkRow> rows;
    try {
        if (db_ && db_->isOpen())
            rows = db_->workRows(storedOrder);
    } catch (const DatabaseError& error) {
        reportDatabase(error);
    }
    QStringList problems;
    QStringList unconfirmed;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (rows[i].w) {
            const RegisterWrite write = registerWrite(rows[i].address, rows[i].hexValue);
            if (!write.ok()) {
                problems.append(write.problem);
            } else {
                const std::optional<SendResult> reply = transfer(write.line);
                if (!reply)
                    return;
                if (reply->outcome == SendResult::Outcome::PortClosed) {
                    problems.clear();
                    unconfirmed.clear();
                    break;
                }
                if (!reply->ok())
                    unconfirmed.append(rows[i].address);
            }
        }
        setProgress(i + 1, rows.size());
    }
    LoadboardReady();
    GUI_Sync();
    restoreCurrent(remembered);
    reportWriteProblems(problems);
    reportWriteFailure(unconfirmed);
}

void SPI::Defaults_Click() {
    ProgressBar1->setValue(0);
    tickAllFilters();
    const QString remembered = currentAddress();
    setView(storedOrder);
    for (const WorkRow& row : QList<WorkRow>(settings_->rows()))
        storeValue(row.address, row.defaultValue);
    restoreCurrent(remembered);
    UpdateChip_Click();
}

void SPI::Command1_Click() {
    for (const ChipRow& chip : chips_) {
        if (chip.id == 3)
            Text3->setText(chip.projectNr);
    }
}

void SPI::Command2_Click() {
    if (!chips_.isEmpty())
        Text3->setText(chips_.first().projectNr);
}

} // namespace krv
