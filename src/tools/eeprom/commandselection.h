#pragma once

#include <QString>
#include <array>

namespace krv::cmdsel {

// Command numbers of an event's selection; number 8 holds the event's saved flag.
inline constexpr int Configuration = 0;
inline constexpr int Frequency = 1;
inline constexpr int PowerSetting = 2;
inline constexpr int PowerManagement = 3;
inline constexpr int LowBattery = 4;
inline constexpr int DataRate = 5;
inline constexpr int PushButton = 6;
inline constexpr int WakeUp = 7;
inline constexpr int SavedFlag = 8;
inline constexpr int Pll = 9;
inline constexpr int Numbers = 10;
// Events 0 to 6 are the routines; 7 is the one-off selection for inserting commands.
inline constexpr int InsertEvent = 7;
inline constexpr int Events = 8;

using Selection = std::array<std::array<short, Numbers>, Events>;

// The recommended commands of an event: everything but the frequency for the power-on reset,
// the frequency alone for every other event.
bool recommended(int event, int command);

// "CA" and the push-button byte in two upper-case digits.
QString pushButtonText(int byte);

// The push-button byte from its settings.
struct PushButtonSettings {
    bool pullupOff = false;
    std::array<bool, 4> continuous{};
    int debounce = 0; // 0: 160 ms, 1: 40 ms, 2: 10 ms, 3: bypass
    bool fourthButton = false;
};
int pushButtonByte(const PushButtonSettings& settings);

// The data-rate command ("C8" and a byte) for a rate typed in bit/s, with crystal X in Hz. A
// rate that is empty, not a number or at most 1347 gives "C8FF"; the divider is kept within one
// byte, so the command is always "C8" and two digits.
QString dataRateCommand(const QString& rateText, long long xtalHz);
// The rate in bit/s that a data-rate command stands for.
long long rateOfCommand(const QString& command, long long xtalHz);

} // namespace krv::cmdsel
