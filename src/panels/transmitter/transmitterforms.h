#pragma once

namespace krv {

// Makes the transmitter panels and the HT531 test mode known to the main window.
void registerTransmitterForms();

} // namespace krv
