#include "eventimage.h"

#include "common/numbers.h"

#include <QtGlobal>

namespace krv::eventimage {

namespace {

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

QString framed(const QString& message, const QString& caption) {
    return message + QStringLiteral("( ") + caption + QStringLiteral(" )");
}

} // namespace

bool isHexText(const QByteArray& text) {
    for (const char c : text) {
        if (!isHexDigit(c))
            return false;
    }
    return true;
}

QByteArray hexOnlyUpper(const QByteArray& text) {
    QByteArray digits;
    digits.reserve(text.size());
    for (const char c : text) {
        if (isHexDigit(c))
            digits.append(c);
    }
    return digits.toUpper();
}

Generated generate(Routines routines, const std::array<bool, EventCount>& appendSleepIfEmpty,
                   const std::array<QString, EventCount>& captions) {
    Generated result;
    auto log = [&result](const QString& text, LogColour colour) {
        result.log.append({text, colour});
    };
    log(QStringLiteral("EEPROM Code Generation started."), LogColour::Blue);
    log(QString(), LogColour::Black);
    int warnings = 0;
    QByteArray image;
    for (int i = 0; i < EventCount; ++i) {
        QByteArray& routine = routines[i];
        const QString& caption = captions[i];
        if (routine.isEmpty() && appendSleepIfEmpty[i]) {
            routine = "C400";
            log(framed(QStringLiteral("Sleep Command appended to Event code. "), caption),
                LogColour::Black);
        }
        result.noFunction[i] = routine.startsWith("C4");
        if (routine.size() > SlotDigits || !isHexText(routine)) {
            log(framed(QStringLiteral("ERROR: Event code too long or not hexadecimal. "), caption),
                LogColour::Red);
            result.refused = true;
            ++warnings;
            continue;
        }
        if (!routine.contains("C400")) {
            log(framed(QStringLiteral("WARNING: Missing Sleep Command. "), caption),
                LogColour::Red);
            ++warnings;
        } else {
            log(framed(QStringLiteral("Event code was found correct. "), caption),
                LogColour::Green);
        }
        image += routine + QByteArray(SlotDigits - routine.size(), '0');
    }
    int flagged = 0;
    for (const bool flag : result.noFunction)
        flagged += flag ? 1 : 0;
    if (flagged > 0) {
        log(QStringLiteral("The following Event Routines ( %1 ) have no function:").arg(flagged),
            LogColour::Black);
        for (int i = 0; i < EventCount; ++i) {
            if (result.noFunction[i])
                log(QStringLiteral("    ") + captions[i], LogColour::Black);
        }
    }
    log(QStringLiteral("EEPROM Code Generation finished."), LogColour::Blue);
    log(QStringLiteral("Total warnings: %1").arg(warnings), LogColour::Black);
    if (warnings > 0)
        log(QStringLiteral("THE EEPROM CODE MIGHT BE INCORRECT."), LogColour::Red);
    if (!result.refused)
        result.image = image;
    result.routines = std::move(routines);
    return result;
}

QByteArray formatEEPROMText(const QByteArray& text, int perLine) {
    QByteArray out;
    out.reserve(text.size() * 3 / 2 + 2);
    for (qsizetype i = 0; i < text.size(); i += 2) {
        out += text.mid(i, 2);
        // i is the 0-based start of the pair: its 1-based position plus one is i + 2.
        out += (i + 2) % (2 * perLine) == 0 ? QByteArray("\r\n") : QByteArray(" ");
    }
    return out;
}

Split split(const QByteArray& worksheet) {
    Split result;
    for (const char c : worksheet) {
        if (c != '\r' && c != '\n' && c != ' ')
            result.image.append(c);
    }
    const qsizetype slots =
        qMin<qsizetype>(EventCount, (result.image.size() + SlotDigits - 1) / SlotDigits);
    for (qsizetype j = 0; j < slots; ++j)
        result.routines.append(result.image.mid(j * SlotDigits, SlotDigits));
    return result;
}

QByteArray cutAfterLastTransmit(const QByteArray& routine) {
    const qsizetype at = routine.lastIndexOf("C6");
    if (at < 0)
        return routine;
    const QByteArray count = routine.mid(at + 2, 2);
    if (count.size() < 2 || !isHexText(count))
        return routine;
    const qsizetype bytes = count.toInt(nullptr, 16);
    return routine.left(at + 4 + 2 * bytes);
}

int fillCount(qsizetype routineLength) {
    return int(roundHalfEven(double(252 - routineLength) / 2.0));
}

Transmit dataTransmitCommand(const QByteArray& hexPayload) {
    if (hexPayload.size() % 2 != 0 || !isHexText(hexPayload))
        return {{}, TransmitError::OddOrNotHex};
    const qsizetype bytes = hexPayload.size() / 2;
    if (bytes > 255)
        return {{}, TransmitError::TooLong};
    return {"C6" + QByteArray::number(int(bytes), 16).toUpper().rightJustified(2, '0') + hexPayload,
            TransmitError::None};
}

QByteArray pn9Digits() {
    std::array<int, 512> bits{};
    for (int n = 0; n < 9; ++n)
        bits[n] = 1;
    for (int n = 9; n < 511; ++n)
        bits[n] = bits[n - 5] ^ bits[n - 9];
    bits[511] = 0;
    QByteArray bytes;
    for (int b = 0; b < 64; ++b) {
        int value = 0;
        for (int k = 0; k < 8; ++k)
            value = value << 1 | bits[b * 8 + k];
        bytes.append(char(value));
    }
    return bytes.toHex();
}

QString halfText(int digits) {
    return digits % 2 == 0 ? QString::number(digits / 2) : plainNumberText(digits / 2.0);
}

} // namespace krv::eventimage
