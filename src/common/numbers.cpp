#include "numbers.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace krv {

long long roundHalfEven(double value) {
    // nearbyint follows the current rounding mode, which is round-to-nearest-even by default.
    const double rounded = std::nearbyint(value);
    // A number typed by the user can be of any size: converting one beyond the range is
    // undefined and in practice gives the most negative value, turning a huge voltage into
    // the minimum. The range's ends stand for whatever lies beyond them.
    constexpr double limit = 0x1p63;
    if (std::isnan(rounded))
        return 0;
    if (rounded >= limit)
        return std::numeric_limits<long long>::max();
    if (rounded < -limit)
        return std::numeric_limits<long long>::min();
    return static_cast<long long>(rounded);
}

namespace {

// Length of the leading number of text starting at `start`, or 0 when there is none.
qsizetype numberLength(const QString& text, qsizetype start) {
    qsizetype i = start;
    const qsizetype n = text.size();
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    qsizetype digits = 0;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
        ++i;
        ++digits;
    }
    if (i < n && text[i] == u'.') {
        qsizetype j = i + 1;
        qsizetype fraction = 0;
        while (j < n && text[j].isDigit() && text[j].unicode() < 128) {
            ++j;
            ++fraction;
        }
        if (digits + fraction > 0) {
            i = j;
            digits += fraction;
        }
    }
    if (digits == 0)
        return 0;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < n && (text[j] == u'+' || text[j] == u'-'))
            ++j;
        qsizetype expDigits = 0;
        while (j < n && text[j].isDigit() && text[j].unicode() < 128) {
            ++j;
            ++expDigits;
        }
        if (expDigits > 0)
            i = j;
    }
    return i - start;
}

qsizetype skipBlanks(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    return i;
}

} // namespace

double leadingNumber(const QString& text) {
    const qsizetype start = skipBlanks(text);
    const qsizetype len = numberLength(text, start);
    if (len == 0)
        return 0.0;
    const QByteArray latin = text.mid(start, len).toLatin1();
    return std::strtod(latin.constData(), nullptr);
}

bool isWholeNumber(const QString& text) {
    const qsizetype start = skipBlanks(text);
    const qsizetype len = numberLength(text, start);
    return len > 0 && start + len == text.size();
}

QString hexText(long long value) {
    if (value < 0)
        value &= 0xFFFFFFFFLL;
    return QString::number(value, 16).toUpper();
}

QString hexText(long long value, int digits) {
    return hexText(value).rightJustified(digits, u'0');
}

namespace {

template <typename T> QString shortestText(T value) {
    if (value == T(0))
        return QStringLiteral("0");
    for (int precision = 1; precision <= 17; ++precision) {
        QString text = QString::number(double(value), 'g', precision);
        if (T(text.toDouble()) != value)
            continue;
        if (text.contains(u'e')) {
            text = QString::number(double(value), 'f', 20);
            while (text.endsWith(u'0'))
                text.chop(1);
            if (text.endsWith(u'.'))
                text.chop(1);
        }
        return text;
    }
    return QString::number(double(value), 'g', 17);
}

QString withSign(QString text) {
    const bool negative = text.startsWith(u'-');
    if (negative)
        text.remove(0, 1);
    if (text.startsWith(QStringLiteral("0.")))
        text.remove(0, 1);
    return (negative ? QStringLiteral("-") : QStringLiteral(" ")) + text;
}

} // namespace

QString plainNumberText(double value) {
    return shortestText(value);
}

QString plainNumberText(float value) {
    return shortestText(value);
}

QString signedNumberText(double value) {
    return withSign(shortestText(value));
}

QString signedNumberText(float value) {
    return withSign(shortestText(value));
}

} // namespace krv
