#pragma once

#include "panels/receiver/ovalt.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTest>

namespace krv::test {

inline QStringList words(QList<QLineEdit*> boxes) {
    QStringList texts;
    for (QLineEdit* box : boxes)
        texts << box->text();
    return texts;
}

// Every word box of a receiver panel, the HR658's extra ones last.
inline QStringList everyWord(ReceiverPanel* p) {
    QStringList w = words({p->Ctrlw, p->Freqw, p->Recw, p->Wkupw, p->Dutyw, p->LBDw, p->AFCw,
                           p->Dataratew, p->Datafiltw, p->FIFOw});
    if (auto* o = qobject_cast<Ovalt*>(p))
        w << words({o->EWkupw, o->SynchPatt, o->EFw});
    return w;
}

// Types into a box and presses Enter.
inline void leave(QLineEdit* box, const QString& text) {
    box->setText(text);
    QTest::keyClick(box, Qt::Key_Return);
}

inline void focusOut(QWidget* box) {
    QFocusEvent event(QEvent::FocusOut);
    QCoreApplication::sendEvent(box, &event);
}

} // namespace krv::test
