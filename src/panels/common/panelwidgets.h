#pragma once

// Small builders and readers for the named controls of the chip panels.

#include "common/optionbutton.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QString>
#include <functional>

namespace krv::panel {

template <typename T> T* named(T* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

// A number box of the settings pages; read-only boxes show what the panel works out.
inline QLineEdit* numberBox(QWidget* parent, const QString& name, int maximumWidth,
                            bool readOnly = false) {
    auto* box = named(new QLineEdit(parent), name);
    box->setReadOnly(readOnly);
    box->setMaximumWidth(maximumWidth);
    return box;
}

// The grid of a frame or page: rows close together and narrow margins, so that a panel stays near
// its designed size.
inline QGridLayout* denseGrid(QWidget* frame) {
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(6, 3, 6, 4);
    grid->setVerticalSpacing(3);
    return grid;
}

// Makes the box just wide enough for the sample text, so that a short value does not take a wide
// box.
inline void fitWidth(QLineEdit* box, const QString& sample) {
    box->setMaximumWidth(box->fontMetrics().horizontalAdvance(sample) + 10);
}

// A mark that asks the user to act (a word to send, a calibration to run): magenta and bold.
inline void emphasiseMark(QLabel* mark) {
    QPalette palette = mark->palette();
    palette.setColor(QPalette::WindowText, Qt::magenta);
    mark->setPalette(palette);
    QFont font = mark->font();
    font.setBold(true);
    mark->setFont(font);
}

// A check box counts as set only when it is checked, never when it is greyed.
inline int bitOf(const QCheckBox* box) {
    return box->checkState() == Qt::Checked ? 1 : 0;
}

} // namespace krv::panel
