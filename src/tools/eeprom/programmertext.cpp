#include "programmertext.h"

#include "common/numbers.h"

namespace krv::programmer {

namespace {
bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}
} // namespace

QByteArray imageDigits(QStringView worksheet) {
    QByteArray digits;
    for (const QChar c : worksheet) {
        if (c.unicode() < 0x80 && isHexDigit(char(c.unicode())))
            digits.append(char(c.unicode()));
    }
    return digits;
}

std::optional<QString> imageProblem(const QByteArray& digits) {
    if (digits.isEmpty())
        return QStringLiteral("The buffer holds no data to program.");
    if (digits.size() % 2 != 0)
        return QStringLiteral("The buffer holds an odd number of hexadecimal digits (%1): "
                              "every byte needs two.")
            .arg(digits.size());
    if (digits.size() / 2 > EepromBytes)
        return QStringLiteral("The buffer holds %1 bytes: the EEPROM holds at most %2.")
            .arg(digits.size() / 2)
            .arg(EepromBytes);
    return std::nullopt;
}

QString pageCommand(const QByteArray& digits, int address, int count) {
    QString line =
        QStringLiteral("SX02,") + hexText(address / 256, 2) + u',' + hexText(address % 256, 2);
    for (int k = 0; k < count; ++k)
        line += u',' + QString::fromLatin1(digits.mid((address + k) * 2, 2));
    return line;
}

int statusByte(const QString& last15) {
    bool ok = false;
    const int value = last15.mid(5, 2).toInt(&ok, 16);
    return ok ? value : 0;
}

QString statusText(int status) {
    return QStringLiteral("0x") + hexText(status);
}

QByteArray sixteenBytes(const QString& last100) {
    const QString tail = last100.right(55);
    QByteArray bytes;
    for (int k = 1; k <= PageBytes; ++k)
        bytes += tail.mid(3 * k - 3, 2).toLatin1();
    return bytes;
}

QByteArray formatReadBack(const QByteArray& buffer) {
    QByteArray text;
    int count = 0;
    for (qsizetype i = 0; i < buffer.size(); i += 2) {
        text += buffer.mid(i, 2);
        ++count;
        text += count % 32 == 0 ? QByteArray("\r\n") : QByteArray(" ");
    }
    if (text.endsWith("\r\n"))
        text.chop(2);
    return text;
}

QString compareReport(const QByteArray& imageDigits, const QByteArray& readBack) {
    QString report;
    int differing = 0;
    for (qsizetype i = 0; i < imageDigits.size(); i += 2) {
        const QByteArray image = imageDigits.mid(i, 2);
        const QByteArray device = readBack.mid(i, 2);
        if (image.toLower() == device.toLower())
            continue;
        // The message must fit the screen: the first few name the bytes, the count says the rest.
        if (++differing > ReportedDifferences)
            continue;
        report += QStringLiteral("difference in pos.: %1\r\nbuffer: 0x%2\r\ndevice: 0x%3\r\n")
                      .arg(i / 2 + 1)
                      .arg(QString::fromLatin1(image.toLower()), QString::fromLatin1(device));
    }
    if (differing == 0)
        return report;
    return report + QStringLiteral("Bytes that differ: %1 of %2.")
                        .arg(differing)
                        .arg((imageDigits.size() + 1) / 2);
}

} // namespace krv::programmer
