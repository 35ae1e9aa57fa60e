#pragma once

#include "registerdatabase.h"

#include <QAbstractTableModel>

namespace krv::console {

// The register grid's rows: the work rows of the current view, in the view's order. Only the
// column "Hex" can be edited; an edit is handed on as hexEdited and stored by the console.
class WorkTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        Addr,
        Hex,
        Binary,
        Name,
        Bit7,
        Bit0 = Bit7 + 7,
        R,
        W,
        Description,
        TestReg,
        RFReg,
        DigitalReg,
        DefaultValue,
        ColumnCount
    };

    using QAbstractTableModel::QAbstractTableModel;

    void setRows(QList<WorkRow> rows);
    const QList<WorkRow>& rows() const { return rows_; }
    // The row of that address in the view (letter case ignored), or -1.
    int find(const QString& address) const;
    // Updates the value of the row with that address, when the view shows it.
    void setValue(const QString& address, const QString& hex);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // Widths in twips of the visible columns; 0 hides a column.
    static int widthTwips(int column);

Q_SIGNALS:
    void hexEdited(int row, const QString& text);

private:
    QList<WorkRow> rows_;
};

// A FIFO grid's rows: Item, Hex, the never-filled ASCII column and, for the receive FIFO,
// Expected and Error.
class FifoModel : public QAbstractTableModel {
    Q_OBJECT
public:
    FifoModel(Fifo fifo, QObject* parent) : QAbstractTableModel(parent), fifo_(fifo) {}

    void setRows(QList<FifoRow> rows);
    const QList<FifoRow>& rows() const { return rows_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    Fifo fifo_;
    QList<FifoRow> rows_;
};

} // namespace krv::console
