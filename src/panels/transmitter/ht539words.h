#pragma once

// The control words of the HT539 transmitter and the values its panel shows beside them. Every
// builder masks its fields to their widths, so no field reaches a neighbour or the command bits.

#include "panels/common/sleepsetting.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace krv::ht539 {

// Configuration setting: band 12..11, output power 10..8, load capacitance 7..4, polarity 3,
// deviation 2..0.
struct ConfigFields {
    int band = 0;
    int power = 0;
    int capacitance = 0;
    int polarity = 0;
    int deviation = 0;
};
int configurationWord(const ConfigFields& f);

// Power management: the sum of the bits that are on (their weights), bits 5..0.
int powerWord(int bits);

// Low battery and clock divider: clock divider 7..5, 32 kHz clock in sleep 4, threshold 3..0.
inline constexpr int MaxThreshold = 15;
int lowBatteryWord(int clockDivider, int sleepClock, int threshold);
// The threshold in volts, 2.0 V + 0.1 V a step ("2", "2.1" ... "3.5").
QString thresholdVolts(int threshold);

// The wake-up timer and its extended word for typed M, R and D (clamped to 0..16383, 0..15,
// 0..3), with the period in milliseconds up to 999 ms and in larger units from there on.
sleep::WakeUp wakeUp(double m, double r, double d, float xtal);
// The extended wake-up word: 0xC300, D in bits 7..6, bits 13..8 of M in bits 5..0.
int extendedWakeUpWord(int m, int d);

// A box whose every edit is kept within 0..maximum: the text it must show instead of what was
// typed (only when the value lies outside), and the whole field the word takes.
struct LevelBox {
    std::optional<QString> rewrite;
    int field = 0;
};
LevelBox levelBox(const QString& text, int maximum);

inline constexpr int MaxFifoLevel = 63;
int fifoWord(bool enable, int level);

inline constexpr int MaxDataRate = 127;
int dataRateWord(bool prescaler, int rate);
// The data rate in kbps, to three decimals.
QString dataRateText(float xtal, int rate, bool prescaler);

// Extended features: low-power crystal 7, 512-bit clock tail 6, no WUT autocalibration 4,
// PLL bandwidth 3..2, no autosleep on FIFO interrupt 1, wake-up on interrupt 0.
struct ExtendedFeatures {
    bool lowPowerXtal = false;
    bool clockTail512 = false;
    bool noWakeUpCalibration = false;
    int pllBandwidth = 0;
    bool noFifoAutoSleep = false;
    bool wakeUpOnInterrupt = false;
};
int extendedFeaturesWord(const ExtendedFeatures& f);

// The deviation list, 20 kHz to 160 kHz scaled to the crystal.
QStringList deviationEntries(float xtal);
QStringList pllBandwidthEntries();

} // namespace krv::ht539
