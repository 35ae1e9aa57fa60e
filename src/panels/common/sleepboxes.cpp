#include "sleepboxes.h"

#include "common/numbers.h"

#include <QLabel>
#include <QLineEdit>

namespace krv::sleep {

WakeUp takeWakeUpBoxes(const WakeUpBoxes& boxes, float xtal) {
    const WakeUp w = wakeUp(boxes.WKUPD != nullptr, leadingNumber(boxes.WKUPM->text()),
                            leadingNumber(boxes.WKUPR->text()),
                            boxes.WKUPD ? leadingNumber(boxes.WKUPD->text()) : 0.0, xtal);
    boxes.WKUPM->setText(QString::number(w.m));
    boxes.DUTY_USEM->setText(boxes.WKUPM->text());
    boxes.WKUPR->setText(QString::number(w.r));
    if (boxes.WKUPD)
        boxes.WKUPD->setText(QString::number(w.d));
    boxes.WKUPTIME->setText(w.time);
    boxes.Label8->setText(w.unit);
    return w;
}

DutyCycle takeDutyBoxes(const DutyBoxes& boxes, int base, int enable) {
    const DutyCycle duty = dutyCycle(base, leadingNumber(boxes.DUTY->text()), enable,
                                     leadingNumber(boxes.WKUPM->text()));
    boxes.DUTY->setText(QString::number(duty.field));
    boxes.DUTY_USEM->setText(boxes.WKUPM->text());
    boxes.DUTY_CALC->setText(duty.percent);
    return duty;
}

void takeVoltsBox(QLineEdit* LBDV, QLineEdit* LBD, int offsetTenths) {
    LBDV->setText(clampedThresholdText(LBDV->text()));
    LBD->setText(QString::number(thresholdField(LBDV->text(), offsetTenths)));
}

} // namespace krv::sleep
