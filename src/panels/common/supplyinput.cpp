#include "supplyinput.h"

#include "common/numbers.h"
#include "common/supply.h"

namespace krv {

SupplyInput supplyInput(const QString& text) {
    SupplyInput input;
    const double number = leadingNumber(text);
    input.wellFormed = u' ' + text == signedNumberText(number);
    double volts = double(roundHalfEven(number * 10)) / 10;
    input.text = plainNumberText(volts);
    if (volts < 2.0) {
        volts = 2.0;
        input.text = QStringLiteral("2");
        input.clamp = -1;
    } else if (volts > 5.4) {
        volts = 5.4;
        input.text = QStringLiteral("5.4");
        input.clamp = 1;
    }
    input.code = supplyCode(volts, supplyk::PanelBox);
    return input;
}

} // namespace krv
