#pragma once

// The boxes of the wake-up timer, low duty-cycle and low-battery pages that every receiver and
// transceiver panel handles the same way.

#include "sleepsetting.h"

class QLabel;
class QLineEdit;

namespace krv::sleep {

struct WakeUpBoxes {
    QLineEdit* WKUPM;
    QLineEdit* WKUPR;
    QLineEdit* WKUPD; // the extended timer's divider; nullptr for the others
    QLineEdit* WKUPTIME;
    QLabel* Label8;
    QLineEdit* DUTY_USEM;
};
// Takes the wake-up boxes as they were left: the fields clamped and written back, the period
// and its unit shown and M copied beside the duty cycle.
WakeUp takeWakeUpBoxes(const WakeUpBoxes& boxes, float xtal);

struct DutyBoxes {
    QLineEdit* DUTY;
    QLineEdit* DUTY_USEM;
    QLineEdit* DUTY_CALC;
    QLineEdit* WKUPM;
};
// Takes the duty-cycle box: the field clamped and written back, M copied from the wake-up box
// and the percentage shown.
DutyCycle takeDutyBoxes(const DutyBoxes& boxes, int base, int enable);

// Leaving the threshold volts box: the volts kept to 0..5.3 V and the field they snap to put
// into the threshold box.
void takeVoltsBox(QLineEdit* LBDV, QLineEdit* LBD, int offsetTenths);

} // namespace krv::sleep
