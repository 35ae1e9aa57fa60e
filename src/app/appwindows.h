#pragma once

namespace krv {

// Registers the main window's own small windows: terminal, preferences, supply window,
// splash, About box, product list and data-filter help.
void registerAppWindows();

} // namespace krv
