#include "forms.h"

#include "app/appwindows.h"
#include "panels/receiver/receiverforms.h"
#include "panels/transceiver/transceiverpanel.h"

namespace krv {

void registerAllForms() {
    registerAppWindows();
    registerReceiverForms();
    registerTransceiverForms();
}

} // namespace krv
