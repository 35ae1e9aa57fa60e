#pragma once

#include "panels/common/patternbyte.h"

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

// The low duty-cycle word starts at 0xC800.
inline constexpr int DutyCycleBase = 0xC800;
int lowBatteryWord(int D, int LBDC);
int receiverWord(int p8, int V, int BW, int G, int R);
int afcWord(int mode, int range, int strobe, int fine, int outputEnable, int enable);
int dataFilterWord(int autoBit, int fastBit, int bit5, int filterType, int dqd);
int dataRateWord(int prescaler, int divider);
int fifoWord(int level, int patternLength, int fillStart, int fillEnable, int sensitiveReset);

// The low-battery threshold starts at 2.2 V.
inline constexpr int ThresholdOffset = 22;

// The data rate in kbps as shown.
QString dataRateText(int divider, bool prescaler, float xtalFactor);

using krv::normalizedPattern;
using krv::paddedPattern;

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
