#pragma once

namespace krv {

class ISMmain;

// A chip panel's start-up gives the main window's current path and drive "C:\" when they are
// still empty.
void defaultCurrentFolder(ISMmain& main);

} // namespace krv
