#include "linktool.h"

#include "app/ismmain.h"
#include "app/krvform.h"
#include "common/dialogs.h"

#include <QMdiSubWindow>

namespace krv::rflink {

bool LinkTool::portOpen() const {
    return main_.boardPortOpen();
}

void LinkTool::refuseClosedPort() const {
    // The lost board has been reported once already; a closing step only stops what ran.
    if (!main_.link()->closedPortMessageDue())
        return;
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

std::optional<SendResult> LinkTool::exchange(const QString& line) const {
    const QPointer<QWidget> alive = window_;
    if (!alive)
        return std::nullopt;
    SendResult result = main_.Send_To_LoadBoard(line + u'\r');
    if (!alive)
        return std::nullopt;
    return result;
}

bool LinkTool::readyForStep() const {
    return portOpen() && !main_.link()->isBusy();
}

void LinkTool::onBoardLost(std::function<void()> idle) const {
    QObject::connect(&main_, &ISMmain::boardGone, window_, std::move(idle));
}

int LinkTool::formWidth(const QString& name) const {
    QMdiSubWindow* frame = main_.frameOf(main_.loadedForm(name));
    return frame ? pixelsToTwips(frame->width()) : 0;
}

int LinkTool::comFlag() const {
    return main_.link()->ComFlag;
}

} // namespace krv::rflink
