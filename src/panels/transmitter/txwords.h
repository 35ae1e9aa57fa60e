#pragma once

// The word arithmetic of the HT531 and HT537 panels. Every builder masks its fields, so no input
// reaches the command bits of a word.

#include <QString>

namespace krv::tx {

// Configuration Setting: 0x8000, band 12..11, clock output 10..8, load capacitance 7..4,
// polarity 3, deviation 2..0.
long configurationWord(long band, long clock, long capacitance, long polarity, long deviation);

// Power Setting (8 bits): 0xB0 + the power field + the OOK bit when OOK is chosen.
long powerSettingWord(long power, int powerBits, bool ook, long ookBit);
// The power field of an output-power entry: "Pmax" 0, "-3 dB" 1 ... "-21 dB" 7.
long powerField(const QString& entry);

// Low Battery Detector: 0xC200 + dwc·128 + ebs·32 + T (T 0..31).
long lowBatteryWord(long threshold, long dwc, long ebs);
// HT537 Data Rate: 0xC800 + R; the rate 10000 · ratio / 29 / (R + 1) kbps, 3 decimals.
long dataRateWord(long r);
QString dataRateText(long r, float xtal);

// HT537 PLL Setting by the position of the maximum data rate: the word and the phase noise.
struct PllSetting {
    QString word;
    QString phaseNoise;
};
PllSetting pllSetting(int position);

} // namespace krv::tx
