#pragma once

#include <QString>
#include <QStringList>

namespace krv::trx {

// Every builder masks each field to its width, so no input can reach the command bits.

int configurationWord(int el, int ef, int B, int X);

struct PowerBits {
    int er = 0, ebb = 0, et = 0, es = 0, ex = 0, eb = 0, ew = 0, dc = 0;
};
int powerWord(const PowerBits& bits);

int transmitterWord(int Mp, int M, int P);

// "CC" and two hexadecimal digits.
QString pllCommand(int rft, int lpx, int ddy, int ddit, int pllbw);
// Whether a typed PLL text is a whole four-digit hexadecimal word.
bool isPllWordText(const QString& text);

int wakeUpWord(int R, int M);
int dutyCycleWord(int D, int enable);
int lowBatteryWord(int D, int LBDC);
int receiverWord(int p8, int V, int BW, int G, int R);
int afcWord(int mode, int range, int strobe, int fine, int outputEnable, int enable);
int dataFilterWord(int autoBit, int fastBit, int bit5, int filterType, int dqd);
int dataRateWord(int prescaler, int divider);
int fifoWord(int level, int patternLength, int fillStart, int fillEnable, int sensitiveReset);

// A typed whole number: its leading number rounded half to even and clamped to lo..hi.
int clampedWhole(const QString& text, int lo, int hi);

// The wake-up period t = 2^R * M / (xtal * 1000) s in its display unit.
struct WakeUpTime {
    QString text;
    QString unit; // "sec", "min", "hrs" or "days"
};
WakeUpTime wakeUpTime(int R, int M, float xtalFactor);

// The duty cycle in percent as shown, for the field D and the wake-up multiplier m.
QString dutyCycleText(int D, double m);

// The low-battery threshold in volts for a field.
QString thresholdText(int LBDC);
// The field a typed threshold snaps to, before the field's own clamp.
int thresholdField(const QString& text);

// The data rate in kbps as shown.
QString dataRateText(int divider, bool prescaler, float xtalFactor);

// The synchron pattern text after a change: upper case, or "D4" when it holds no value.
QString normalizedPattern(const QString& text);
// The synchron pattern text when the box is left: padded to two digits.
QString paddedPattern(const QString& text);

// The fixed lists of the panels and the field each entry stands for.
namespace lists {
QStringList vdi();
QStringList lnaGain();
QStringList rssi(int count);
QStringList afcMode();
QStringList afcRange();
QStringList filterType();
QStringList fifoStart();
QStringList clockRecovery();
QStringList polarity();
QStringList outputPower();
QStringList pllRiseFall();
QStringList pllBandwidth();
QStringList synchPattern();
} // namespace lists

// Position of a text among entries, -1 when it is none of them.
int entryIndex(const QStringList& entries, const QString& text);
// rft of a CB_RFT text, -1 when it is none of the entries.
int riseFallField(const QString& text);
// filttyped of a FILTTYPE text, -1 when none.
int filterTypeField(const QString& text);
// P of an output power text.
int outputPowerField(const QString& text);

} // namespace krv::trx
