#pragma once

#include "receiverchip.h"

#include <QString>
#include <QStringList>

namespace krv::receiver {

// Band constants of the centre-frequency formula. HR651: fo = 10·c1·xtal·(c2 + F/4000);
// HR658: fo = 80·xtal·(c + F/4000).
struct Band {
    int b = 0;
    int c1 = 1;
    int c2 = 31;
    int c = 10;
};
// Band of a band button: 0 = 315, 1 = 433, 2 = 868, 3 = 915 MHz. On the HR658 the 315 MHz
// button leaves `c` as `previous` had it.
Band bandFor(Chip chip, int button, const Band& previous = {});

// The crystal box after leaving it: its new text, the crystal ratio and the clamp message
// ("" when none).
struct Crystal {
    QString text;
    float factor = 1.0f;
    QString message;
};
Crystal crystalFromText(const QString& text);

// The frequency field for a typed centre frequency, clamped to 96..3903.
struct FrequencyField {
    int f = 96;
    QString message; // "Minimum frequency reached!", "Maximum frequency reached!" or ""
};
FrequencyField frequencyField(Chip chip, const Band& band, double mhz, float xtal);
// The centre frequency a field stands for, rounded to 4 decimals.
double centreFrequency(Chip chip, const Band& band, double f, float xtal);
inline int frequencyWord(int f) {
    return 0xA000 + (f & 0xFFF);
}
// The PLL frequency step in kHz, rounded to 4 decimals.
double frequencyStep(Chip chip, int bandButton, float xtal);

// The clock-output entries in MHz for a crystal ratio.
QStringList clockOutputEntries(float xtal);
// The crystal load capacitance entries "8.5 pF" .. "16.0 pF".
QStringList loadCapacitanceEntries();
// The baseband bandwidth entries in kHz, their default position and the field of a position.
QStringList basebandEntries(Chip chip, float xtal);
int basebandDefault(Chip chip);
int basebandField(Chip chip, int position);

// Crystal frequency in Hz.
int xtalFrequencyHz(float xtal);

} // namespace krv::receiver
