#include "panelstart.h"

#include "app/ismmain.h"

#include <QDir>

namespace krv {

void defaultCurrentFolder(ISMmain& main) {
    if (main.CurrentPath.isEmpty())
        main.CurrentPath = QDir::homePath();
}

} // namespace krv
