#pragma once

#include <QString>

namespace krv {

// The supply box of a chip panel: the leading number rounded to 0.1 V and clamped to 2.0..5.4 V.
struct SupplyInput {
    bool wellFormed = true; // the text is the number's own signed short form
    QString text;           // what the box shows afterwards
    int clamp = 0;          // -1 raised to the minimum, +1 lowered to the maximum
    int code = 0;           // the SupplySet code for the panel's k
};

SupplyInput supplyInput(const QString& text);

} // namespace krv
