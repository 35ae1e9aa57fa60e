#include "rflinkforms.h"

#include "app/ismmain.h"
#include "cwlink.h"
#include "receiverrflink.h"
#include "sniffer.h"
#include "testfunctions.h"
#include "transceiverrflink.h"

namespace krv {

namespace {
template <typename T> void add(const char* name) {
    ISMmain::registerForm(QString::fromLatin1(name), [](ISMmain& main) { return new T(main); });
}
} // namespace

void registerRfLinkForms() {
    using namespace rflink;
    add<DruskV1rflink>("DruskV1rflink");
    add<DruskV1rflink_LB2>("DruskV1rflink_LB2");
    add<Frm_YambleRfLinkTest>("Frm_YambleRfLinkTest");
    add<frm_Link>("frm_Link");
    add<frm_Link_RX>("frm_Link_RX");
    add<Frm_DruskTestFunctions>("Frm_DruskTestFunctions");
    add<Frm_YambleTestFunctions>("Frm_YambleTestFunctions");
    add<frm_ZiborSniffer>("frm_ZiborSniffer");
    add<frm_TxSearch>("frm_TxSearch");
}

} // namespace krv
