#pragma once

#include "panels/common/frequencysetting.h"
#include "receiverchip.h"

#include <QString>
#include <QStringList>

namespace krv::receiver {

using freq::clockOutputEntries;
using freq::Crystal;
using freq::crystalFromText;
using freq::frequencyWord;
using freq::loadCapacitanceEntries;
using freq::xtalFrequencyHz;

// Band constants of the centre-frequency formula. HR651: fo = 10·c1·xtal·(c2 + F/4000);
// HR658: fo = 80·xtal·(c + F/4000), the common formula with C1 = 8 and C2 = c.
struct Band {
    int b = 0;
    int c1 = 1;
    int c2 = 31;
    int c = 10;
};
// Band of a band button: 0 = 315, 1 = 433, 2 = 868, 3 = 915 MHz. On the HR658 the 315 MHz
// button leaves `c` as `previous` had it.
Band bandFor(Chip chip, int button, const Band& previous = {});

freq::BandFormula formulaOf(Chip chip, const Band& band);

// The centre frequency a field stands for, rounded to 4 decimals.
double centreFrequency(Chip chip, const Band& band, double f, float xtal);
// The PLL frequency step in kHz, rounded to 4 decimals.
double frequencyStep(Chip chip, int bandButton, float xtal);

// The baseband bandwidth entries in kHz, their default position and the field of a position.
QStringList basebandEntries(Chip chip, float xtal);
int basebandDefault(Chip chip);
int basebandField(Chip chip, int position);

} // namespace krv::receiver
