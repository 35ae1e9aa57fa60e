#include "hextext.h"

namespace krv {

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::optional<QByteArray> hex2Ascii2Hex(const QByteArray& text, bool toHex) {
    if (toHex)
        return text.toHex().toUpper();
    QByteArray bytes;
    bytes.reserve((text.size() + 1) / 2);
    for (qsizetype i = 0; i < text.size(); i += 2) {
        const int high = hexDigit(text[i]);
        if (high < 0)
            return std::nullopt;
        if (i + 1 == text.size()) {
            bytes.append(char(high));
            break;
        }
        const int low = hexDigit(text[i + 1]);
        if (low < 0)
            return std::nullopt;
        bytes.append(char(high * 16 + low));
    }
    return bytes;
}

} // namespace krv
