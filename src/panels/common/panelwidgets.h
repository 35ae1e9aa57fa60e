#pragma once

// Small builders and readers for the named controls of the chip panels.

#include "app/krvform.h"
#include "common/optionbutton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QString>
#include <QStringList>
#include <functional>

namespace krv::panel {

using krv::named;

// A number box of the settings pages; read-only boxes show what the panel works out.
inline QLineEdit* numberBox(QWidget* parent, const QString& name, int maximumWidth,
                            bool readOnly = false) {
    auto* box = named(new QLineEdit(parent), name);
    box->setReadOnly(readOnly);
    box->setMaximumWidth(maximumWidth);
    return box;
}

// A list of the panels: chosen from, never typed into, as wide as its longest entry (also when
// refilled), starting with no entry chosen.
inline QComboBox* chooseList(QWidget* parent, const QString& name,
                             const QStringList& entries = {}) {
    auto* box = named(new QComboBox(parent), name);
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    const QSignalBlocker quiet(box);
    box->addItems(entries);
    box->setCurrentIndex(-1);
    return box;
}

// The panels' size rule, in one place: rows of a grid 1 px apart, stacked rows and frames 2 px
// apart, 3 px above and below a frame's contents. Rows are as tall as the font makes them, so a
// panel keeps near its designed height at the platform's font and grows with a taller one.
inline constexpr int gridRowSpacing = 1;
inline constexpr int stackSpacing = 2;
inline constexpr int frameMarginY = 3;

// The grid of a frame or page: rows close together and narrow margins.
inline QGridLayout* denseGrid(QWidget* frame) {
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(6, frameMarginY, 6, frameMarginY);
    grid->setVerticalSpacing(gridRowSpacing);
    return grid;
}

// Holds every layout of a finished panel to the size rule: no wider vertical gaps than it allows.
void tightenRows(QWidget* panel);

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
