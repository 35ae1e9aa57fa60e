#include "supply.h"

#include "error.h"
#include "numbers.h"

#include <cmath>

namespace krv {

int supplyCode(double volts, int k) {
    // A zero, negative or absurd voltage would send a code the board turns into a wrong supply.
    if (!std::isfinite(volts) || volts <= 0.0)
        throw Error(11, QStringLiteral("Division by zero"));
    const double code = 255.0 - k / volts;
    if (code < 0.0 || code > 255.0)
        throw Error(6, QStringLiteral("Overflow"));
    return int(roundHalfEven(code));
}

QString supplyLine(double volts, int k) {
    return QStringLiteral("V") + hexText(supplyCode(volts, k)) + QStringLiteral("\r");
}

} // namespace krv
