// The six register rows of the second page and the status register.

#include "common/dialogs.h"
#include "consolewidgets.h"
#include "registerbits.h"
#include "spi.h"
#include "worktablemodel.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace krv {

using namespace console;

std::array<BitBox*, 8> SPI::rowBits(int row) const {
    std::array<BitBox*, 8> boxes;
    for (int i = 0; i < 8; ++i)
        boxes[i] = M_bit[8 * row + i];
    return boxes;
}

void SPI::clearRow(int row) {
    M_Hexvalue[row]->clear();
    M_Address[row]->clear();
    fillingLists_ = true;
    M_Name[row]->setCurrentIndex(-1);
    fillingLists_ = false;
    for (BitBox* box : rowBits(row)) {
        box->clear();
        box->setState(BitBox::State::NoData);
    }
    paint(M_Hexvalue[row], colours::zero());
}

void SPI::fillRow(int row, const WorkRow& work) {
    fillingLists_ = true;
    M_Name[row]->setCurrentIndex(M_Name[row]->findData(work.address));
    fillingLists_ = false;
    M_Hexvalue[row]->setText(work.hexValue);
    M_Read[row]->setEnabled(work.r);
    M_Send[row]->setEnabled(work.w);
    const std::array<BitBox*, 8> boxes = rowBits(row);
    HexToBinary(work.hexValue);
    for (int i = 0; i < 8; ++i) {
        boxes[i]->setText(work.bits[i]);
        boxes[i]->setState(Binary[7 - i] == u'1' ? BitBox::State::One : BitBox::State::Zero);
    }
}

void SPI::refillNameLists() {
    fillingLists_ = true;
    for (int r = 0; r < 6; ++r) {
        const QString shown = M_Name[r]->currentData().toString();
        M_Name[r]->clear();
        for (const WorkRow& row : settings_->rows())
            M_Name[r]->addItem(row.name, row.address);
        M_Name[r]->setCurrentIndex(shown.isEmpty() ? -1 : M_Name[r]->findData(shown));
    }
    fillingLists_ = false;
}

void SPI::clearStatusFrame() {
    for (BitBox* box : Databit) {
        box->clear();
        box->setState(BitBox::State::NoData);
    }
    Hexadec->clear();
}

void SPI::M_Address_LostFocus(int row) {
    if (M_Address[row]->text().isEmpty()) {
        clearRow(row);
        return;
    }
    M_Address[row]->setText(lastTwo(M_Address[row]->text()));
    const std::optional<WorkRow> work = lookup(M_Address[row]->text());
    if (work) {
        fillRow(row, *work);
        return;
    }
    Dialogs::message(QStringLiteral("Invalid register address! Please try again!"),
                     QStringLiteral("Unknown Register Address"));
    clearRow(row);
}

void SPI::M_Name_Click(int row) {
    const std::optional<WorkRow> work = lookup(M_Name[row]->currentData().toString());
    if (!work)
        return;
    M_Address[row]->setText(work->address);
    fillRow(row, *work);
}

void SPI::M_Hexvalue_KeyPress(int row) {
    paint(M_Hexvalue[row], colours::Blue);
}

void SPI::M_Hexvalue_Change(int row) {
    HexToBinary(M_Hexvalue[row]->text());
    const std::array<BitBox*, 8> boxes = rowBits(row);
    for (int i = 0; i < 8; ++i)
        boxes[i]->setState(Binary[7 - i] == u'1' ? BitBox::State::One : BitBox::State::Zero);
}

void SPI::M_bit_Click(int index) {
    const int row = index / 8;
    BitBox* box = M_bit[index];
    box->setState(box->state() == BitBox::State::Zero ? BitBox::State::One : BitBox::State::Zero);
    int value = 0;
    const std::array<BitBox*, 8> boxes = rowBits(row);
    for (int i = 7; i >= 0; --i)
        value = 2 * value + (boxes[i]->state() == BitBox::State::One ? 1 : 0);
    M_Hexvalue[row]->setText(QString::number(value, 16).toUpper().rightJustified(2, u'0'));
    paint(M_Hexvalue[row], colours::Blue);
}

void SPI::M_Read_Click(int row) {
    const QString address = M_Address[row]->text();
    if (address.isEmpty())
        return;
    const std::array<BitBox*, 8> boxes = rowBits(row);
    const RegisterReply reply = readRegister(address, {boxes.begin(), boxes.end()});
    if (!reply.ok())
        return;
    const QString value = reply.last15.mid(5, 2);
    M_Hexvalue[row]->setText(value);
    showBits(boxes, value);
    paint(M_Hexvalue[row], colours::zero());
    if (lookup(address))
        storeValue(address, value);
}

SPI::RegisterReply SPI::readRegister(const QString& address, const QList<BitBox*>& boxes) {
    RegisterReply reply;
    std::optional<SendResult> result;
    if (isRegisterAddress(address)) {
        result = transfer(registerReadLine(address));
        if (!result) {
            reply.windowGone = true;
            return reply;
        }
        if (result->ok()) {
            reply.last15 = result->Last15;
            return reply;
        }
    }
    for (BitBox* box : boxes)
        box->setState(BitBox::State::NoData);
    // A closed port has been reported by the link already.
    if (!result)
        reportNoReadCommand({address});
    else if (!result->portClosed())
        reportReadFailure({address});
    return reply;
}

void SPI::M_Send_Click(int row) {
    const QString address = M_Address[row]->text();
    if (address.isEmpty())
        return;
    const RegisterWrite write = registerWrite(address, M_Hexvalue[row]->text());
    if (!write.ok()) {
        reportWriteProblems({write.problem});
        return;
    }
    if (!confirmedWrite(address, write.line))
        return;
    M_Hexvalue[row]->setText(write.value);
    paint(M_Hexvalue[row], colours::zero());
    if (lookup(address))
        storeValue(address, write.value);
    if (Address->text() == address)
        HexValue->setText(write.value);
}

void SPI::StatusRegCombo_Click() {
    const int index = StatusRegCombo->currentIndex();
    if (index < 0 || index >= statusRegisters_.size())
        return;
    currentStatus_ = index;
    for (int k = 15; k >= 0; --k)
        Databit[k]->setText(statusRegisters_[index].bits[k]);
}

void SPI::StatusRead_Click() {
    if (currentStatus_ < 0 || currentStatus_ >= statusRegisters_.size())
        return;
    const QString address = statusRegisters_[currentStatus_].address;
    const RegisterReply reply = readRegister(address, {Databit.begin(), Databit.end()});
    if (!reply.ok())
        return;
    const QString high = reply.last15.mid(3, 2);
    const QString low = reply.last15.mid(5, 2);
    Hexadec->setText(high + u' ' + low);
    HexToBinary(high);
    for (int k = 1; k <= 8; ++k)
        Databit[16 - k]->setBit(Binary[k - 1]);
    HexToBinary(low);
    for (int k = 1; k <= 8; ++k)
        Databit[8 - k]->setBit(Binary[k - 1]);
}

} // namespace krv
