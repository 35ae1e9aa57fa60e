#include "worktablemodel.h"

#include "registerbits.h"

namespace krv::console {

void WorkTableModel::setRows(QList<WorkRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

int WorkTableModel::find(const QString& address) const {
    for (int i = 0; i < rows_.size(); ++i) {
        if (rows_[i].address.compare(address, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void WorkTableModel::setValue(const QString& address, const QString& hex) {
    const int row = find(address);
    if (row < 0)
        return;
    rows_[row].hexValue = hex;
    rows_[row].binaryValue = binaryValue(hex);
    Q_EMIT dataChanged(index(row, Hex), index(row, Binary));
}

int WorkTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int WorkTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant WorkTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const WorkRow& row = rows_[index.row()];
    const int column = index.column();
    if (column >= Bit7 && column <= Bit0)
        return row.bits[Bit0 - column];
    switch (column) {
    case Addr:
        return row.address;
    case Hex:
        return row.hexValue;
    case Binary:
        return row.binaryValue;
    case Name:
        return row.name;
    case R:
        return row.r ? QStringLiteral("R") : QStringLiteral("-");
    case W:
        return row.w ? QStringLiteral("W") : QStringLiteral("-");
    case Description:
        return row.description;
    case TestReg:
        return row.testReg;
    case RFReg:
        return row.rfReg;
    case DigitalReg:
        return row.digitalReg;
    case DefaultValue:
        return row.defaultValue;
    default:
        return {};
    }
}

QVariant WorkTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section >= Bit7 && section <= Bit0)
        return QStringLiteral("bit%1").arg(Bit0 - section);
    static const QStringList before{"Addr.", "Hex", "Binary", "Name"};
    static const QStringList after{"R",     "W",          "Description", "TestReg",
                                   "RFReg", "DigitalReg", "DefaultValue"};
    return section < Bit7 ? before.value(section) : after.value(section - Bit0 - 1);
}

Qt::ItemFlags WorkTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.column() == Hex)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool WorkTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.column() != Hex || role != Qt::EditRole)
        return false;
    Q_EMIT hexEdited(index.row(), value.toString());
    return true;
}

int WorkTableModel::widthTwips(int column) {
    if (column >= Bit7 && column <= Bit0)
        return 660;
    switch (column) {
    case Addr:
    case Hex:
        return 495;
    case Binary:
        return 1005;
    case Name:
        return 3000;
    case R:
    case W:
        return 255;
    default:
        return 0;
    }
}

void FifoModel::setRows(QList<FifoRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

int FifoModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int FifoModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : (fifo_ == Fifo::Rx ? 5 : 3);
}

QVariant FifoModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    const FifoRow& row = rows_[index.row()];
    switch (index.column()) {
    case 0:
        return row.item;
    case 1:
        return row.hex;
    case 3:
        return row.expected;
    case 4:
        return row.error;
    default:
        return {};
    }
}

QVariant FifoModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const QStringList captions{"Item", "Hex", "Ch", "Xpd", "Err"};
    return captions.value(section);
}

} // namespace krv::console
