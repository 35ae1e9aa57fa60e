#pragma once

#include <QStringList>

namespace krv {

// The output-power list of the transmitting chips: "Pmax", then down in 3 dB steps ("-3 dB",
// "-6 dB", ...), `count` entries in all.
QStringList outputPowerEntries(int count = 8);

} // namespace krv
