#pragma once

#include "panels/transceiver/transceiverpanel.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QStringList>

namespace krv::test {

// Every word box of the panel, in the order Update sends them.
inline QStringList words(TransceiverPanel& p) {
    QStringList w;
    for (QLineEdit* box : {p.Ctrlw, p.Freqw, p.PowerW, p.Recw, p.TXCtrlw, p.Wkupw, p.Dutyw, p.LBDw,
                           p.AFCw, p.Dataratew, p.Datafiltw, p.FIFOw})
        w << box->text();
    if (p.PLLCmd)
        w << p.PLLCmd->text() << p.SynchPatt->text();
    return w;
}

// Types the text into the box and leaves it.
inline void leave(QLineEdit* box, const QString& text) {
    box->setText(text);
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(box, &out);
}

} // namespace krv::test
