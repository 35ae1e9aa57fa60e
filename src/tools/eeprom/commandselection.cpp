#include "commandselection.h"

#include "common/numbers.h"

#include <algorithm>

namespace krv::cmdsel {

bool recommended(int event, int command) {
    return event == 0 ? command != Frequency : command == Frequency;
}

QString pushButtonText(int byte) {
    return QStringLiteral("CA") + hexText(byte & 0xFF, 2);
}

int pushButtonByte(const PushButtonSettings& settings) {
    int byte = settings.pullupOff ? 1 : 0;
    for (int k = 0; k < 4; ++k)
        byte |= settings.continuous[k] ? 1 << (k + 1) : 0;
    byte |= (settings.debounce & 3) << 5;
    byte |= settings.fourthButton ? 0x80 : 0;
    return byte;
}

QString dataRateCommand(const QString& rateText, long long xtalHz) {
    if (rateText.trimmed().isEmpty() || !isWholeNumber(rateText))
        return QStringLiteral("C8FF");
    const long long rate = roundHalfEven(leadingNumber(rateText));
    if (rate <= 1347)
        return QStringLiteral("C8FF");
    const long long divider = roundHalfEven(double(xtalHz) / 29.0 / double(rate) - 1.0);
    return hexText(0xC800 + std::clamp<long long>(divider, 0, 255));
}

long long rateOfCommand(const QString& command, long long xtalHz) {
    const QString text = command.isEmpty() ? QStringLiteral("C8FF") : command;
    const int divider = text.mid(2, 2).toInt(nullptr, 16);
    return roundHalfEven(double(xtalHz) / 29.0 / double(divider + 1));
}

} // namespace krv::cmdsel
