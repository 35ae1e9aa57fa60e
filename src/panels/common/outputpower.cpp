#include "outputpower.h"

namespace krv {

QStringList outputPowerEntries(int count) {
    QStringList entries{QStringLiteral("Pmax")};
    for (int k = 1; k < count; ++k)
        entries << QStringLiteral("-%1 dB").arg(3 * k);
    return entries;
}

} // namespace krv
