#pragma once

#include <QString>

namespace krv {

// The chip supply constant of the caller: each caller of SupplySet scales by its own k.
namespace supplyk {
inline constexpr int Board1 = 311;
inline constexpr int Board2 = 309;
inline constexpr int PanelBox = 309;
inline constexpr int Console = 310;
} // namespace supplyk

// k for the board selection, the supply window and the configuration loaders.
inline int supplyKForBoard(int loadBoardRev) {
    return loadBoardRev == 1 ? supplyk::Board1 : supplyk::Board2;
}

// round(255 - k / volts), half to even. Throws krv::Error for a voltage that is not positive
// or gives a code outside one byte.
int supplyCode(double volts, int k);

// The SupplySet command line: "V", the code in hexadecimal, CR.
QString supplyLine(double volts, int k);

} // namespace krv
