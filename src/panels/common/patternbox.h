#pragma once

#include <QString>

class QLineEdit;

namespace krv {

// The synchron pattern byte box of a chip panel and the word box it feeds: the byte is typed
// in hexadecimal, the word is the chip's prefix followed by the byte.
class PatternByteBox {
public:
    PatternByteBox(QLineEdit* byteBox, QLineEdit* wordBox, QString prefix);

    // After each change: the byte as normalised, and the word.
    void change();
    // On leaving: the byte padded to two digits, kept as padded by the change that follows.
    void leave();

private:
    QLineEdit* byteBox_;
    QLineEdit* wordBox_;
    QString prefix_;
    bool SkipPatternCheck = false;
};

} // namespace krv
