#include "linktool.h"

#include "app/ismmain.h"
#include "common/dialogs.h"

namespace krv::rflink {

bool LinkTool::portOpen() const {
    return main_.boardPortOpen();
}

void LinkTool::refuseClosedPort() const {
    Dialogs::message(QStringLiteral("Commport not available, please open commport!"),
                     Dialogs::defaultTitle(), Dialogs::Icon::Exclamation);
}

bool LinkTool::send(const QString& line, const QString& ending) const {
    // Locals only after the wait: the window, and this with it, may be gone.
    const QPointer<QWidget> alive = window_;
    if (!alive)
        return false;
    main_.Send_To_LoadBoard(line + ending);
    return !alive.isNull();
}

bool LinkTool::sendAll(const QStringList& lines) const {
    const QPointer<QWidget> alive = window_;
    for (const QString& line : lines) {
        if (!alive || !send(line))
            return false;
    }
    return true;
}

int LinkTool::comFlag() const {
    return main_.link()->ComFlag;
}

} // namespace krv::rflink
