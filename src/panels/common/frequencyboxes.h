#pragma once

// The boxes of the crystal and centre-frequency block that every receiver and transceiver panel
// handles the same way.

#include "frequencysetting.h"

class QComboBox;
class QLineEdit;

namespace krv::freq {

// Leaving the crystal box: the status line is cleared, the box shows the crystal as clamped and a
// clamp writes its message; returns the crystal ratio.
float takeCrystalBox(QLineEdit* Crystalfreq, QLineEdit* Statusline);

// Leaving the centre-frequency box: returns the frequency field; the box shows the centre
// frequency the field stands for, and a clamp clears the status line and writes its message.
int takeCentreFrequencyBox(QLineEdit* FreqCenter, QLineEdit* Statusline, BandFormula band,
                           float xtal);

// Refills a list with new entries and selects the entry at position, which runs the list's
// handler once.
void refillList(QComboBox* box, const QStringList& entries, int position);

} // namespace krv::freq
