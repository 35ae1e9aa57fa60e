#pragma once

class QCheckBox;

namespace krv {

// Sets a check box to a value from a configuration file: 1 checked, 2 greyed, anything else
// unchecked. A greyed box needs the third state, yet the user only ever checks or unchecks it:
// once a click has taken it off grey, it is a two-state box again.
void setLoadedCheckValue(QCheckBox* box, long long value);

} // namespace krv
