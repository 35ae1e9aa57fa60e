#pragma once

namespace krv {

class ISMmain;

// A chip panel's start-up gives the main window's current path the user's home folder when it is
// still empty.
void defaultCurrentFolder(ISMmain& main);

} // namespace krv
