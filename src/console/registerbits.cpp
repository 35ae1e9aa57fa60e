#include "registerbits.h"

#include <QApplication>
#include <QPalette>
#include <QRegularExpression>

namespace krv::console {

QColor colours::zero() {
    return QApplication::palette("QLineEdit").color(QPalette::Base);
}

namespace {

QString nibble(QChar c) {
    const int value = c.isNull() ? -1 : QStringLiteral("0123456789ABCDEF").indexOf(c.toUpper());
    if (value < 0)
        return QStringLiteral("....");
    return QString::number(value, 2).rightJustified(4, u'0');
}

bool isHexDigits(const QString& text, int minimum, int maximum) {
    static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]*$"));
    return text.size() >= minimum && text.size() <= maximum && hex.match(text).hasMatch();
}

} // namespace

QString hexToBinary(const QString& hex) {
    return nibble(hex.size() > 0 ? hex[0] : QChar()) + nibble(hex.size() > 1 ? hex[1] : QChar());
}

QString binaryValue(const QString& hex) {
    const QString bits = hexToBinary(hex);
    return bits.left(4) + u' ' + bits.mid(4);
}

QString lastTwo(const QString& text) {
    return (QStringLiteral("00") + text).right(2);
}

bool isHexValue(const QString& value) {
    return isHexDigits(value, 1, 2);
}

bool isRegisterAddress(const QString& address) {
    return isHexDigits(address, 2, 2) && address[0] >= u'0' && address[0] <= u'7';
}

QString registerReadLine(const QString& address) {
    return QStringLiteral("S2 ") + (address + QStringLiteral("000")).left(4) + u'\r';
}

RegisterWrite registerWrite(const QString& address, const QString& value) {
    RegisterWrite write;
    if (!isRegisterAddress(address)) {
        write.problem = QStringLiteral("Register address \"%1\" cannot be written: only the "
                                       "addresses 00 to 7F have a write command.")
                            .arg(address);
        return write;
    }
    if (!isHexDigits(value, 1, 2)) {
        write.problem = QStringLiteral("The value \"%1\" for register %2 is not one or two "
                                       "hexadecimal digits.")
                            .arg(value, address);
        return write;
    }
    write.value = value.size() == 1 ? u'0' + value : value;
    const int high = address[0].digitValue() + 8;
    write.line = QStringLiteral("S2 ") + QString::number(high, 16).toUpper() + address[1] +
                 write.value + u'\r';
    return write;
}

} // namespace krv::console
