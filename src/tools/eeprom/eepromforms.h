#pragma once

namespace krv {

// Registers the EEPROM content editor, its command editor, the EEPROM programmer and the
// firmware loader with the main window.
void registerEepromForms();

} // namespace krv
