#include "testbytes.h"

namespace krv::rflink::testbytes {

int sourceSelector(int entry) {
    static const int selectors[] = {0x00, 0x10, 0x20, 0x30, 0x20};
    return entry >= 0 && entry < 5 ? selectors[entry] : 0;
}

QString twoDigits(int value) {
    return QString::number(value & 0xFF, 16).toUpper().rightJustified(2, u'0');
}

int tuningFromText(const QString& text, int chosenEntry) {
    if (text.isEmpty())
        return sourceSelector(chosenEntry);
    const int selector = (text.left(1).toInt(nullptr, 16) & 3) << 4;
    const int data = text.size() > 1 ? text.mid(1, 1).toInt(nullptr, 16) : 0;
    return selector | data;
}

} // namespace krv::rflink::testbytes
