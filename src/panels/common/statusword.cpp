#include "statusword.h"

namespace krv {

int statusByte(const QString& last15) {
    int value = 0;
    for (QChar c : last15.mid(5, 2)) {
        const int digit = QString(c).toInt(nullptr, 16);
        if (digit == 0 && c != u'0')
            break;
        value = value * 16 + digit;
    }
    return value;
}

int afcOffsetSteps(int statusByte, int bits) {
    const int field = statusByte & ((1 << bits) - 1);
    return field >= (1 << (bits - 1)) ? field - (1 << bits) : field;
}

} // namespace krv
