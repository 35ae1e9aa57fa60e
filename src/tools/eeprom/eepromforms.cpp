#include "eepromforms.h"

#include "app/ismmain.h"
#include "cmdsequence.h"
#include "ecet.h"
#include "eeprom.h"
#include "firmload.h"

namespace krv {

namespace {
template <typename T> void add(const char* name) {
    ISMmain::registerForm(QString::fromLatin1(name), [](ISMmain& main) { return new T(main); });
}
} // namespace

void registerEepromForms() {
    add<ECET>("ECET");
    add<Frm_CmdSequence>("Frm_CmdSequence");
    add<eeprom>("eeprom");
    add<FirmLoad>("FirmLoad");
}

} // namespace krv
