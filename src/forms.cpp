#include "forms.h"

#include "app/appwindows.h"
#include "panels/receiver/receiverforms.h"
#include "panels/transceiver/transceiverpanel.h"
#include "panels/transmitter/transmitterforms.h"
#include "tools/header/frm_genheader.h"

namespace krv {

void registerAllForms() {
    registerAppWindows();
    registerReceiverForms();
    registerTransceiverForms();
    registerTransmitterForms();
    registerHeaderForms();
}

} // namespace krv
