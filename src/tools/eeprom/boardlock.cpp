#include "boardlock.h"

#include "app/ismmain.h"
#include "common/dialogs.h"

namespace krv {

bool boardTransactionStartable(ISMmain& main) {
    const auto refuse = [](const QString& text) {
        Dialogs::message(text, Dialogs::defaultTitle(), Dialogs::Icon::Exclamation);
        return false;
    };
    if (!main.boardPortOpen())
        return refuse(QStringLiteral("Commport not available, Loadboard not connected!"));
    if (main.CommState != 0)
        return refuse(QStringLiteral("Commport is busy. Please try again later!"));
    return true;
}

} // namespace krv
