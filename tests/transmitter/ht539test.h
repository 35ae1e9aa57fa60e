#pragma once

#include "panels/transmitter/ht539.h"
#include "txtesthelpers.h"

namespace krv::test {

// The word boxes of the HT539 panel in Update's order.
inline QStringList ht539Words(const HT539* p) {
    QStringList texts;
    for (const QLineEdit* box : {p->Ctrlw, p->Freqw, p->PowerMw, p->TB_FIFOcmd, p->TB_DataRateCmd,
                                 p->LBDw, p->Wkupw, p->EWkupw, p->EFCmd})
        texts << box->text();
    return texts;
}

} // namespace krv::test
