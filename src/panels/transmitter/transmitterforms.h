#pragma once

namespace krv {

// Makes the transmitter panels known to the main window.
void registerTransmitterForms();

} // namespace krv
