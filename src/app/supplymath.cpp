#include "supplymath.h"

#include "common/numbers.h"

namespace krv {

SupplyVoltageCheck checkSupplyVoltage(const QString& typed, int loadBoardRev) {
    SupplyVoltageCheck check;
    const double value = leadingNumber(typed);
    if (signedNumberText(value) != u' ' + typed)
        check.statusLine.append(QStringLiteral("Incorrect Power Supply voltage format!") +
                                QStringLiteral("  (") + typed + QStringLiteral(" V)"));
    double volts = double(roundHalfEven(value * 10)) / 10;
    check.voltage = plainNumberText(volts);
    if (volts < 2.2) {
        check.voltage = QStringLiteral("2.2");
        check.statusLine.append(QStringLiteral("Minimum supply voltage is 2.2 V!"));
    }
    if (loadBoardRev == 1 && volts > 5.4) {
        check.voltage = QStringLiteral("5.4");
        check.statusLine.append(QStringLiteral("Maximum supply voltage is 5.4 V!"));
    }
    if (loadBoardRev == 2 && volts > 5) {
        check.voltage = QStringLiteral("5");
        check.statusLine.append(QStringLiteral("Maximum supply voltage is 5 V!"));
    }
    return check;
}

std::optional<int> converterReading(const QString& last100) {
    const QString digits = last100.mid(67, 2) + last100.mid(83, 2);
    if (digits.size() != 4)
        return std::nullopt;
    bool ok = false;
    const int raw = digits.toInt(&ok, 16);
    const bool allHex = ok && std::all_of(digits.begin(), digits.end(), [](QChar c) {
                            return c.isDigit() || QStringLiteral("ABCDEFabcdef").contains(c);
                        });
    if (!allHex)
        return std::nullopt;
    const int reading = 1023 - raw;
    if (reading < 0 || reading > 1023)
        return std::nullopt;
    return reading;
}

double milliamps(int reading) {
    return double(roundHalfEven(reading * 24.4 / 1000 * 10)) / 10;
}

double microamps(int reading) {
    return reading * 48.8;
}

QString currentText(double value) {
    return QString::number(value, 'g', 15);
}

} // namespace krv
