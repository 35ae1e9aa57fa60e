#pragma once

#include "panels/common/radiowords.h"
#include "receiverchip.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace krv::receiver {

// Every builder masks its fields to their widths, so no field can spill into another or into
// the command bits of the word.

// Configuration setting word.
struct ConfigFields {
    int band = 0;
    int eb = 0;
    int et = 0;
    int ex = 0;
    int cap = 0;
    int bw = 0;
    int dc = 0;
};
int configWord(const ConfigFields& f);

// Receiver setting word.
int receiverWord(int vdi, int lna, int rssi, int er);

using krv::AfcFields;
using krv::ClockRecovery;
using krv::clockRecovery;
using krv::DataRate;

// AFC word; the HR651 of revision 'E' or below (rev 0) has its own layout without the mode.
int afcWord(const AfcFields& f, int rev);

// Data rate: the divider range depends on the revision; under rev 0 the prescaler bit is the
// divider's eighth bit, so the prescaler never enters the word there.
int dataRateMaximum(int rev);
DataRate dataRate(double typed, bool prescaler, int rev, float xtal);

// Data filter word.
int dataFilterWord(Chip chip, const ClockRecovery& cr, int bit5, int filterType, int wakeOnIt,
                   int dqd);

// FIFO word; on the HR658 only the low four bits of the interrupt level enter it, the two high
// bits go to the extended features word.
int fifoWord(int itLevel, int fillStart, int fill, int mode);
inline int fifoHighLevelBits(int itLevel) {
    return (itLevel & 0x30) >> 4;
}

// Extended features word of the HR658, "B0" and the low byte.
struct ExtendedFeatures {
    int lowPowerXtal = 0;
    int tail512 = 0;
    int externalResistor = 0;
    int disableCalibration = 0;
    int pllBandwidth = 0;
    int highLevelBits = 0;
};
QString extendedFeaturesWord(const ExtendedFeatures& f);

// List entries and the field value of an entry's text (nullopt: not an entry).
QStringList vdiEntries(int rev);
std::optional<int> vdiField(const QString& text);
QStringList lnaEntries(Chip chip);
std::optional<int> lnaField(Chip chip, const QString& text);
QStringList rssiEntries();
std::optional<int> rssiField(const QString& text);
QStringList afcModeEntries();
std::optional<int> afcModeField(const QString& text);
QStringList afcRangeEntries(Chip chip);
std::optional<int> afcRangeField(Chip chip, const QString& text);
QStringList filterTypeEntries(Chip chip, int rev);
std::optional<int> filterTypeField(Chip chip, const QString& text);
QStringList clockRecoveryEntries();
QStringList fifoStartEntries(Chip chip);
std::optional<int> fifoStartField(Chip chip, const QString& text);
QStringList pllBandwidthEntries();
int pllBandwidthField(const QString& text);

// Revision list of the HR651 and its flag.
inline QString revisionE() {
    return QStringLiteral("'E' or below");
}
inline QString revisionF() {
    return QStringLiteral("'F' or above");
}
std::optional<int> revisionFlag(const QString& text);

} // namespace krv::receiver
