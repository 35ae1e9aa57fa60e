#include "forms.h"

#include "app/appwindows.h"
#include "panels/receiver/receiverforms.h"

namespace krv {

void registerAllForms() {
    registerAppWindows();
    registerReceiverForms();
}

} // namespace krv
