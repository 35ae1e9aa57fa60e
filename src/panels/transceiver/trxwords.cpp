#include "trxwords.h"

#include "common/numbers.h"
#include "trxfrequency.h"

#include <algorithm>

namespace krv::trx {

namespace {
int bit(int value) {
    return value & 1;
}
} // namespace

int configurationWord(int el, int ef, int B, int X) {
    return 0x8000 + (bit(el) << 7) + (bit(ef) << 6) + ((B & 3) << 4) + (X & 15);
}

int powerWord(const PowerBits& b) {
    return 0x8200 + (bit(b.er) << 7) + (bit(b.ebb) << 6) + (bit(b.et) << 5) + (bit(b.es) << 4) +
           (bit(b.ex) << 3) + (bit(b.eb) << 2) + (bit(b.ew) << 1) + bit(b.dc);
}

int transmitterWord(int Mp, int M, int P) {
    return 0x9800 + (bit(Mp) << 8) + ((M & 15) << 4) + (P & 7);
}

QString pllCommand(int rft, int lpx, int ddy, int ddit, int pllbw) {
    const int b =
        (rft & 0x60) + (bit(lpx) << 4) + (bit(ddy) << 3) + (bit(ddit) << 2) + 2 + bit(pllbw);
    return QStringLiteral("CC") + hexText(b, 2);
}

bool isPllWordText(const QString& text) {
    if (text.size() != 4)
        return false;
    return std::all_of(text.begin(), text.end(), isHexDigit);
}

int lowBatteryWord(int D, int LBDC) {
    return 0xC000 + ((D & 7) << 5) + (LBDC & 0x1F);
}

int receiverWord(int p8, int V, int BW, int G, int R) {
    return 0x9000 + (bit(p8) << 10) + ((V & 3) << 8) + ((BW & 7) << 5) + ((G & 3) << 3) + (R & 7);
}

int afcWord(int mode, int range, int strobe, int fine, int outputEnable, int enable) {
    return 0xC400 + ((mode & 3) << 6) + ((range & 3) << 4) + (bit(strobe) << 3) + (bit(fine) << 2) +
           (bit(outputEnable) << 1) + bit(enable);
}

int dataFilterWord(int autoBit, int fastBit, int bit5, int filterType, int dqd) {
    return 0xC200 + (bit(autoBit) << 7) + (bit(fastBit) << 6) + (bit(bit5) << 5) +
           ((filterType & 3) << 3) + (dqd & 7);
}

int dataRateWord(int prescaler, int divider) {
    return 0xC600 + (bit(prescaler) << 7) + (divider & 0x7F);
}

int fifoWord(int level, int patternLength, int fillStart, int fillEnable, int sensitiveReset) {
    return 0xCA00 + ((level & 15) << 4) + (bit(patternLength) << 3) + (bit(fillStart) << 2) +
           (bit(fillEnable) << 1) + bit(sensitiveReset);
}

QString dataRateText(int divider, bool prescaler, float xtalFactor) {
    double rate = double(xtalFactor) * 10000.0 / 29.0;
    if (prescaler)
        rate /= 8.0;
    rate /= (divider + 1);
    return plainNumberText(roundDecimals(rate, 3));
}

namespace lists {
QStringList vdi() {
    return {"Fast", "Medium", "Slow", "Always"};
}
QStringList lnaGain() {
    return {"max.", "-6 dB", "-14 dB", "-20 dB"};
}
QStringList rssi(int count) {
    const QStringList all{"-103 dBm", "-97 dBm", "-91 dBm", "-85 dBm",
                          "-79 dBm",  "-73 dBm", "-67 dBm", "-61 dBm"};
    return all.mid(0, count);
}
QStringList afcMode() {
    return {"Manual", "Auto, 1x at power-on", "Auto, drop Foffset", "Auto, keep Foffset"};
}
QStringList afcRange() {
    return {"Unlimited", "+15/-16 Fres", "+7/-8 Fres", "+3/-4 Fres"};
}
QStringList filterType() {
    return {"Digital LPF", "Analog LPF"};
}
QStringList fifoStart() {
    return {"Synchron pattern", "Always"};
}
QStringList clockRecovery() {
    return {"Fast", "Slow", "Auto"};
}
QStringList polarity() {
    return {"fo + df", "fo - df"};
}
QStringList pllRiseFall() {
    return {"5 or 10 MHz", "3.3 MHz", "2.5 MHz or below"};
}
QStringList pllBandwidth() {
    return {"Max. 86.2 kbps", "Max. 256 kbps"};
}
QStringList synchPattern() {
    return {"2DD4", "D4"};
}
} // namespace lists

int entryIndex(const QStringList& entries, const QString& text) {
    return int(entries.indexOf(text));
}

int riseFallField(const QString& text) {
    static constexpr int fields[] = {0, 32, 96};
    const int index = entryIndex(lists::pllRiseFall(), text);
    return index < 0 ? -1 : fields[index];
}

int filterTypeField(const QString& text) {
    const int index = entryIndex(lists::filterType(), text);
    return index < 0 ? -1 : 1 + 2 * index;
}

int outputPowerField(const QString& text) {
    return int(std::clamp<long long>(roundHalfEven(leadingNumber(text) / -3.0), 0, 7));
}

} // namespace krv::trx
