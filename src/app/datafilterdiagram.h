#pragma once

#include <QWidget>

class QLabel;

namespace krv {

// The data filter's block diagram: the demodulator and the RSSI feed the three filters, whose
// outputs the digital multiplexer chooses among by the filter type. Boxes and labels are laid
// out by the font; the signal paths are drawn between them where they stand.
class DataFilterDiagram : public QWidget {
    Q_OBJECT
public:
    explicit DataFilterDiagram(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* demodulator_;
    QLabel* rssi_;
    QLabel* fskFilter_;
    QLabel* analogFilter_;
    QLabel* ookFilter_;
    QLabel* multiplexer_;
    QLabel* select_;
    QLabel* filterType_;
    QLabel* data_;
};

} // namespace krv
