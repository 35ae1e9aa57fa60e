#pragma once

namespace krv {

// Registers the register console and its command palette with the main window.
void registerConsoleForms();

} // namespace krv
