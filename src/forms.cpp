#include "forms.h"

#include "app/appwindows.h"
#include "console/consoleforms.h"
#include "panels/receiver/receiverforms.h"
#include "panels/transceiver/transceiverpanel.h"
#include "panels/transmitter/transmitterforms.h"
#include "tools/eeprom/eepromforms.h"
#include "tools/header/frm_genheader.h"
#include "tools/rflink/rflinkforms.h"

namespace krv {

void registerAllForms() {
    registerAppWindows();
    registerConsoleForms();
    registerReceiverForms();
    registerTransceiverForms();
    registerTransmitterForms();
    registerHeaderForms();
    registerRfLinkForms();
    registerEepromForms();
}

} // namespace krv
