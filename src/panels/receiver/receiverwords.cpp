#include "receiverwords.h"

#include "common/numbers.h"
#include "panels/common/sleepsetting.h"

namespace krv::receiver {

namespace {

std::optional<int> indexIn(const QStringList& entries, const QString& text) {
    const qsizetype i = entries.indexOf(text);
    if (i < 0)
        return std::nullopt;
    return int(i);
}

} // namespace

int configWord(const ConfigFields& f) {
    return 0x8000 + ((f.band & 3) << 11) + ((f.eb & 1) << 10) + ((f.et & 1) << 9) +
           ((f.ex & 1) << 8) + ((f.cap & 0xF) << 4) + ((f.bw & 7) << 1) + (f.dc & 1);
}

int receiverWord(int vdi, int lna, int rssi, int er) {
    return 0xC000 + ((vdi & 3) << 6) + ((lna & 3) << 4) + ((rssi & 7) << 1) + (er & 1);
}

int afcWord(const AfcFields& f, int rev) {
    if (rev == 1)
        return 0xC600 + ((f.mode & 3) << 6) + ((f.range & 3) << 4) + ((f.strobe & 1) << 3) +
               ((f.fine & 1) << 2) + ((f.outputEnable & 1) << 1) + (f.enable & 1);
    return 0xC600 + ((f.range & 3) << 5) + ((f.strobe & 1) << 3) + ((f.fine & 1) << 2) +
           ((f.enable & 1) << 1) + (f.outputEnable & 1);
}

int dataRateMaximum(int rev) {
    return rev == 1 ? 127 : 255;
}

DataRate dataRate(double typed, bool prescaler, int rev, float xtal) {
    DataRate rate;
    rate.divider = sleep::wholeField(typed, 0, dataRateMaximum(rev));
    const bool presc = prescaler && rev == 1;
    double kbps = double(xtal) * 10000 / 29;
    if (presc)
        kbps /= 8;
    kbps /= rate.divider + 1;
    rate.kbps = plainNumberText(double(roundHalfEven(kbps * 1000)) / 1000);
    rate.word = 0xC800 + (presc ? 0x80 : 0) + (rate.divider & 0xFF);
    return rate;
}

int dataFilterWord(Chip chip, const ClockRecovery& cr, int bit5, int filterType, int wakeOnIt,
                   int dqd) {
    int word =
        0xC400 + ((cr.autoBit & 1) << 7) + ((cr.fastBit & 1) << 6) + ((bit5 & 1) << 5) + (dqd & 7);
    if (chip == Chip::HR658)
        word += ((filterType & 1) << 4) + ((wakeOnIt & 1) << 3);
    else
        word += (filterType & 3) << 3;
    return word;
}

int fifoWord(int itLevel, int fillStart, int fill, int mode) {
    return 0xCE00 + ((itLevel & 0xF) << 4) + ((fillStart & 3) << 2) + ((fill & 1) << 1) +
           (mode & 1);
}

QString extendedFeaturesWord(const ExtendedFeatures& f) {
    const int low = ((f.lowPowerXtal & 1) << 7) + ((f.tail512 & 1) << 6) +
                    ((f.externalResistor & 1) << 5) + ((f.disableCalibration & 1) << 4) +
                    ((f.pllBandwidth & 3) << 2) + (f.highLevelBits & 3);
    return QStringLiteral("B0") + hexText(low, 2);
}

QStringList vdiEntries(int rev) {
    return {QStringLiteral("DRSSI"), QStringLiteral("Data Quality Detect"),
            QStringLiteral("Clock Recovery locked"),
            rev == 1 ? QStringLiteral("Always") : QStringLiteral("DQD and DRSSI")};
}

std::optional<int> vdiField(const QString& text) {
    if (text == QStringLiteral("DQD and DRSSI"))
        return 3;
    return indexIn(vdiEntries(1), text);
}

QStringList lnaEntries(Chip chip) {
    if (chip == Chip::HR651)
        return {QStringLiteral("max."), QStringLiteral("-6 dB"), QStringLiteral("-14 dB"),
                QStringLiteral("-20 dB")};
    return {QStringLiteral("max."), QStringLiteral("-6 dB"), QStringLiteral("-12 dB"),
            QStringLiteral("-18 dB")};
}

std::optional<int> lnaField(Chip chip, const QString& text) {
    if (chip == Chip::HR651)
        return indexIn({QStringLiteral("max."), QStringLiteral("-14 dB"), QStringLiteral("-6 dB"),
                        QStringLiteral("-20 dB")},
                       text);
    return indexIn(lnaEntries(chip), text);
}

QStringList rssiEntries() {
    QStringList entries;
    for (int i = 0; i < 8; ++i)
        entries << QStringLiteral("%1 dBm").arg(-103 + 6 * i);
    return entries;
}

std::optional<int> rssiField(const QString& text) {
    return indexIn(rssiEntries(), text);
}

QStringList afcModeEntries() {
    return {QStringLiteral("Manual"), QStringLiteral("Auto, 1x at power-on"),
            QStringLiteral("Auto, drop Foffset"), QStringLiteral("Auto, keep Foffset")};
}

std::optional<int> afcModeField(const QString& text) {
    return indexIn(afcModeEntries(), text);
}

QStringList afcRangeEntries(Chip chip) {
    if (chip == Chip::HR651)
        return {QStringLiteral("Unlimited"), QStringLiteral("+15/-16 Fs"),
                QStringLiteral("+7/-8 Fs"), QStringLiteral("+3/-4 Fs")};
    return {QStringLiteral("Unlimited"), QStringLiteral("+-4 Fs"), QStringLiteral("+-2 Fs"),
            QStringLiteral("+-1 Fs")};
}

std::optional<int> afcRangeField(Chip chip, const QString& text) {
    return indexIn(afcRangeEntries(chip), text);
}

QStringList filterTypeEntries(Chip chip, int rev) {
    if (chip == Chip::HR651 && rev == 1)
        return {QStringLiteral("Digital LPF (OOK)"), QStringLiteral("Digital LPF"),
                QStringLiteral("Analog LPF")};
    return {QStringLiteral("Digital LPF"), QStringLiteral("Analog LPF")};
}

std::optional<int> filterTypeField(Chip chip, const QString& text) {
    if (chip == Chip::HR658)
        return indexIn(filterTypeEntries(chip, 1), text);
    if (text == QStringLiteral("Digital LPF (OOK)"))
        return 0;
    if (text == QStringLiteral("Digital LPF"))
        return 1;
    if (text == QStringLiteral("Analog LPF"))
        return 3;
    return std::nullopt;
}

QStringList clockRecoveryEntries() {
    return {QStringLiteral("Fast"), QStringLiteral("Slow"), QStringLiteral("Auto")};
}

QStringList fifoStartEntries(Chip chip) {
    if (chip == Chip::HR651)
        return {QStringLiteral("VDI"), QStringLiteral("Synchron pattern"),
                QStringLiteral("VDI & Synchron pattern"), QStringLiteral("Always")};
    return {QStringLiteral("VDI"), QStringLiteral("Synchron pattern"), QStringLiteral("Always")};
}

std::optional<int> fifoStartField(Chip chip, const QString& text) {
    if (text == QStringLiteral("Always"))
        return 3;
    return indexIn(fifoStartEntries(chip).mid(0, chip == Chip::HR651 ? 3 : 2), text);
}

QStringList pllBandwidthEntries() {
    return {QStringLiteral("15 kHz"), QStringLiteral("30 kHz"), QStringLiteral("60 kHz"),
            QStringLiteral("120 kHz")};
}

int pllBandwidthField(const QString& text) {
    return indexIn(pllBandwidthEntries(), text).value_or(3);
}

std::optional<int> revisionFlag(const QString& text) {
    if (text == revisionF())
        return 1;
    if (text == revisionE())
        return 0;
    return std::nullopt;
}

} // namespace krv::receiver
