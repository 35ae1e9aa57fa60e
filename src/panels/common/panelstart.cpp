#include "panelstart.h"

#include "app/ismmain.h"

namespace krv {

void defaultCurrentFolder(ISMmain& main) {
    if (main.CurrentPath.isEmpty())
        main.CurrentPath = QStringLiteral("C:\\");
    if (main.CurrentDrive.isEmpty())
        main.CurrentDrive = QStringLiteral("C:\\");
}

} // namespace krv
