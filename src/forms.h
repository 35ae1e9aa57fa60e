#pragma once

namespace krv {

// Makes every window of the program known to the main window, which creates them on demand.
void registerAllForms();

} // namespace krv
