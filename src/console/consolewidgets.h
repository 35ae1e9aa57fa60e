#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>

class QTableView;

namespace krv::console {

// Paints a box's background with one of the console's colours.
void paint(QWidget* box, const QColor& colour);
QColor background(const QWidget* box);

// A bit box: the bit's name as text, its value as the background (One, Zero or nodata).
class BitBox : public QLineEdit {
    Q_OBJECT
public:
    enum class State { Zero, One, NoData };
    explicit BitBox(QWidget* parent);
    State state() const { return state_; }
    void setState(State state);
    // One for "1", Zero for "0", nodata for anything else.
    void setBit(QChar bit);
    // Room for a bit name of a few characters.
    QSize sizeHint() const override;

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    State state_ = State::NoData;
};

// A list that says when the user opens it, before its entries are shown.
class OpeningList : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;
    void showPopup() override;

Q_SIGNALS:
    void opening();
};

// A FIFO grid under its caption ("TX / 16B", "No TX FIFO").
class FifoGrid : public QGroupBox {
    Q_OBJECT
public:
    FifoGrid(const QString& caption, QWidget* parent);
    // Sizes the grid, in the fonts it has, to show `rows` rows and every column under its whole
    // heading without a scroll bar; its model must be set.
    void fitRows(int rows);
    QTableView* view;
};

} // namespace krv::console
