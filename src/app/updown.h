#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace krv {

// A pair of arrows bound to a text box: an arrow takes the number in the box, steps it by one
// within the range, writes it back into the box and then reports the click.
class UpDown : public QWidget {
    Q_OBJECT
public:
    UpDown(QLineEdit* buddy, int minimum, int maximum, QWidget* parent);

    // The number in the text box, within the range, as the arrows see it.
    int value() const;
    // Writes the value into the text box.
    void setValue(int value);

    QToolButton* upArrow() const { return up_; }
    QToolButton* downArrow() const { return down_; }

Q_SIGNALS:
    void UpClick();
    void DownClick();

private:
    void step(int delta);

    QLineEdit* buddy_;
    QToolButton* up_;
    QToolButton* down_;
    int minimum_;
    int maximum_;
};

} // namespace krv
